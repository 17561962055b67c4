// Headers compiled once for the window tests (see core.h).
#pragma once
#include "widgets.h"
#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>
