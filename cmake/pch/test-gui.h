// Headers compiled once for the printing and companion tests (see core.h).
#pragma once
#include "gui.h"
#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>
