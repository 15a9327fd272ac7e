// Host events as short text, so tests compare whole sequences at once.
#pragma once

#include "host/HostEvent.h"

#include <string>

inline std::string describe(const host::HostEvent& e)
{
    static const char* const names[] = {"none", "down", "up", "press", "drag", "release", "active", "inactive", "close"};
    std::string text = e.type == host::HostEvent::KEY_DOWN && e.repeat ? "repeat" : names[e.type];
    if (e.type == host::HostEvent::KEY_DOWN || e.type == host::HostEvent::KEY_UP)
        text += std::to_string(e.key);
    else if (e.type >= host::HostEvent::POINTER_DOWN && e.type <= host::HostEvent::POINTER_UP)
        text += std::to_string(e.x) + "," + std::to_string(e.y);
    return text + " ";
}
