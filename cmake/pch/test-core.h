// Headers compiled once for the core and companion tests (see core.h).
#pragma once
#include "core.h"
#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>
