// A command map: a table of (notification code, control id, handler) that a
// dialog's OnCommand hands to DispatchCommand, one line per notification.
#pragma once

#include <windows.h>

#include <cstddef>

template <class T>
struct CommandEntry {
    WORD code;
    WORD id;
    void (T::*handler)();
};

template <class T, std::size_t N>
bool DispatchCommand(T* self, const CommandEntry<T> (&table)[N], WORD code, WORD id)
{
    for (const CommandEntry<T>& entry : table) {
        if (entry.code == code && entry.id == id) {
            (self->*entry.handler)();
            return true;
        }
    }
    return false;
}
