// The font configuration, read while the console starts.
//
// The first window that lays out text waits for the system's font configuration to be read: a
// good part of the start, spent parsing configuration files. It is read on a thread of its own,
// started just before the application object is made, while that object, the settings and
// the security check are made, and the first window waits only for what is left of it.
#pragma once

namespace hv {

// Starts reading the font configuration on another thread (once; nothing when the font
// library is not in the process).
void startReadingFontConfiguration();

// Waits until that reading has ended; returns at once when it was never started or has been
// waited for. Called before a window with text is made.
void awaitFontConfiguration();

// Waits for the reading as it goes out of scope: made right after the application object, so
// that a start that ends early never leaves the reading running behind it.
struct FontConfigurationWait {
    FontConfigurationWait() = default;
    FontConfigurationWait(const FontConfigurationWait &) = delete;
    FontConfigurationWait &operator=(const FontConfigurationWait &) = delete;
    ~FontConfigurationWait() { awaitFontConfiguration(); }
};

} // namespace hv
