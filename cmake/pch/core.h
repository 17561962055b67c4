// Headers compiled once for the Qt Core targets. Sources still include what they use;
// `make check-includes` builds without these to prove it.
#pragma once
#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QtEndian>
#include <QtGlobal>
#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <vector>
