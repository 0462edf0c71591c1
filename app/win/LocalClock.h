// The local wall-clock time with milliseconds, as the system gives it.
#pragma once

#include "app/LocalTime.h"

LocalTime CurrentLocalTime();
