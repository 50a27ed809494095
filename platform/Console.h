#pragma once

// For the command-line tools: what they print is UTF-8 with "\n" line ends,
// byte for byte what they print on Linux, and the console shows it as such.
// Windows consoles otherwise read their old code page; the one in force is
// given back at the end.
namespace platform {

class Utf8Console
{
public:
    Utf8Console();
    ~Utf8Console();
    Utf8Console(const Utf8Console &) = delete;
    Utf8Console &operator=(const Utf8Console &) = delete;

private:
    unsigned m_previousCodePage = 0;
};

} // namespace platform
