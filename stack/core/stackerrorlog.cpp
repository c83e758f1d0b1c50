#include "core/stackerrorlog.h"

#include <cstdio>
#include <vector>

namespace ZalvoBACnetStack {
namespace {

// Standard output unless a test has swapped in a capture.
StackErrorSink*& ActiveSink() {
    static StackErrorSink* sink = nullptr;
    return sink;
}

std::string FormatV(const char* format, va_list args) {
    va_list copy;
    va_copy(copy, args);
    char small[256];
    const int needed = std::vsnprintf(small, sizeof small, format, copy);
    va_end(copy);
    if (needed < 0) return {};
    if (static_cast<size_t>(needed) < sizeof small) return std::string(small, static_cast<size_t>(needed));
    std::vector<char> large(static_cast<size_t>(needed) + 1);
    std::vsnprintf(large.data(), large.size(), format, args);
    return std::string(large.data(), static_cast<size_t>(needed));
}

}  // namespace

void StackErrorLog(const char* operation, const char* source, int line, const char* format, ...) {
    char prefix[512];
    std::snprintf(prefix, sizeof prefix, "::%s() in file: %s(%d) - ", operation, source, line);
    va_list args;
    va_start(args, format);
    std::string text = prefix + FormatV(format, args);
    va_end(args);
    text += '\n';
    if (StackErrorSink* sink = ActiveSink()) {
        sink->Write(text);
    } else {
        std::fwrite(text.data(), 1, text.size(), stdout);
    }
}

StackErrorSink* SetStackErrorSink(StackErrorSink* sink) {
    StackErrorSink* previous = ActiveSink();
    ActiveSink() = sink;
    return previous;
}

StackErrorLogCapture::StackErrorLogCapture() : previous_(SetStackErrorSink(this)) {}

StackErrorLogCapture::~StackErrorLogCapture() { SetStackErrorSink(previous_); }

std::string StackErrorLogCapture::Messages() const {
    std::string messages;
    size_t start = 0;
    while (start < text_.size()) {
        size_t end = text_.find('\n', start);
        if (end == std::string::npos) end = text_.size();
        const std::string line = text_.substr(start, end - start);
        const size_t separator = line.find(") - ");
        messages += separator == std::string::npos ? line : line.substr(separator + 4);
        messages += '\n';
        start = end + 1;
    }
    return messages;
}

bool StackErrorLogCapture::HasMessage(const std::string& message) const {
    const std::string all = Messages();
    size_t start = 0;
    while (start < all.size()) {
        const size_t end = all.find('\n', start);
        if (all.compare(start, end - start, message) == 0 && message.size() == end - start) return true;
        start = end + 1;
    }
    return false;
}

}  // namespace ZalvoBACnetStack
