// The assertion macros skAssert(cond) and skAssertMsg(cond, message) live with
// the other diagnostics; this header exists so that they can be included by name.
#pragma once

#include "skUtil.h"
