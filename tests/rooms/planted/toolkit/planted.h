// SPDX-License-Identifier: GPL-3.0-or-later
// Not built: a toolkit header that breaks the rules on purpose, for the include rules' own test.
#pragma once

#include "app/tform2.h"
#include <QQuick3DGeometry>
