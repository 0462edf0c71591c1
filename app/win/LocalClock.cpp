#include "app/win/LocalClock.h"

#include <windows.h>

LocalTime CurrentLocalTime()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return LocalTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
}
