#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <string>

#include "frame/host_shared.h"
#include "host/shared/utf.h"

// printf into UTF-8 for the player's components. Each conversion is handed to the C library one at
// a time, so that "%ls" (and "%lc") can take UTF-16 text on every platform, whatever the width of
// wchar_t and whatever the C library makes of wide text.

namespace {

struct conversion {
    std::string directive = "%"; // flags, width and precision, without the length modifier
    std::string length;          // "", "hh", "h", "l", "ll", "z", "j", "t", "L"
    char kind = 0;
};

void copy_digits_or_star(const char*& p, std::string& directive, va_list& args) {
    if (*p == '*') {
        directive += std::to_string(va_arg(args, int));
        ++p;
        return;
    }
    while (*p >= '0' && *p <= '9') directive += *p++;
}

// Reads one conversion after its '%'; `p` ends past it. Star widths are taken from the arguments.
conversion parse(const char*& p, va_list& args) {
    conversion c;
    while (*p == '-' || *p == '+' || *p == ' ' || *p == '#' || *p == '0') c.directive += *p++;
    copy_digits_or_star(p, c.directive, args);
    if (*p == '.') {
        c.directive += *p++;
        copy_digits_or_star(p, c.directive, args);
    }
    while (*p == 'h' || *p == 'l' || *p == 'z' || *p == 'j' || *p == 't' || *p == 'L') c.length += *p++;
    c.kind = *p;
    if (*p != 0) ++p;
    return c;
}

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
template <class T>
void append_one(std::string& out, const std::string& directive, T value) {
    int size = std::snprintf(nullptr, 0, directive.c_str(), value);
    if (size <= 0) return;
    std::string piece(static_cast<std::size_t>(size) + 1, '\0');
    std::snprintf(piece.data(), piece.size(), directive.c_str(), value);
    out.append(piece.data(), static_cast<std::size_t>(size));
}
#pragma GCC diagnostic pop

void append_signed(std::string& out, const conversion& c, va_list& args) {
    std::string directive = c.directive + "lld";
    long long value;
    if (c.length == "l") value = va_arg(args, long);
    else if (c.length == "ll") value = va_arg(args, long long);
    else if (c.length == "z" || c.length == "t") value = va_arg(args, std::ptrdiff_t);
    else if (c.length == "j") value = va_arg(args, std::intmax_t);
    else value = va_arg(args, int);
    if (c.length == "h") value = static_cast<short>(value);
    if (c.length == "hh") value = static_cast<signed char>(value);
    append_one(out, directive, value);
}

void append_unsigned(std::string& out, const conversion& c, va_list& args) {
    std::string directive = c.directive + "ll" + c.kind;
    unsigned long long value;
    if (c.length == "l") value = va_arg(args, unsigned long);
    else if (c.length == "ll") value = va_arg(args, unsigned long long);
    else if (c.length == "z" || c.length == "t") value = va_arg(args, std::size_t);
    else if (c.length == "j") value = va_arg(args, std::uintmax_t);
    else value = va_arg(args, unsigned int);
    if (c.length == "h") value = static_cast<unsigned short>(value);
    if (c.length == "hh") value = static_cast<unsigned char>(value);
    append_one(out, directive, value);
}

void append_text(std::string& out, const conversion& c, va_list& args) {
    std::string text;
    if (c.kind == 'c') {
        if (c.length == "l") {
            // A wide character is promoted to int on the way through "...".
            wchar_t unit = static_cast<wchar_t>(va_arg(args, int));
            text = plavora_shared::utf16_to_utf8(&unit, 1);
        } else {
            text = std::string(1, static_cast<char>(va_arg(args, int)));
        }
    } else if (c.length == "l") {
        text = plavora_shared::utf16_to_utf8(va_arg(args, const wchar_t*));
    } else {
        const char* narrow = va_arg(args, const char*);
        text = narrow != nullptr ? narrow : "(null)";
    }
    append_one(out, c.directive + "s", text.c_str());
}

void append_conversion(std::string& out, const conversion& c, va_list& args) {
    switch (c.kind) {
    case 'd':
    case 'i': append_signed(out, c, args); break;
    case 'u':
    case 'x':
    case 'X':
    case 'o': append_unsigned(out, c, args); break;
    case 'c':
    case 's': append_text(out, c, args); break;
    case 'f':
    case 'F':
    case 'e':
    case 'E':
    case 'g':
    case 'G':
    case 'a':
    case 'A':
        if (c.length == "L") append_one(out, c.directive + "L" + c.kind, va_arg(args, long double));
        else append_one(out, c.directive + c.kind, va_arg(args, double));
        break;
    case 'p': append_one(out, c.directive + "p", va_arg(args, void*)); break;
    case '%': out += '%'; break;
    default: break; // "%n" and unknown conversions write nothing
    }
}

} // namespace

void uPrintfV(wex::string_base& out, const char* format, va_list args) {
    std::string result;
    va_list own;
    va_copy(own, args);
    for (const char* p = format != nullptr ? format : ""; *p != 0;) {
        if (*p != '%') {
            const char* run = p;
            while (*p != 0 && *p != '%') ++p;
            result.append(run, static_cast<std::size_t>(p - run));
            continue;
        }
        ++p;
        conversion c = parse(p, own);
        if (c.kind == 'n') (void)va_arg(own, int*);
        append_conversion(result, c, own);
    }
    va_end(own);
    out.assign(result.c_str(), result.size());
}
