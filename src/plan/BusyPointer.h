// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

/**
 * The busy (hourglass) pointer, as the core asks for it around file reads. The program installs a
 * hook that shows or restores the pointer; without a hook (tests, command-line tools) nothing happens.
 */
void setBusyPointerHook(std::function<void(bool busy)> hook);
void showBusyPointer(bool busy);
