// The stack's one error-report function and its swappable output sink.
//
// Every failure is reported once, where it is found, as
//   "::<operation>() in file: <source>(<line>) - <message>\n"
// on standard output. Tests swap the sink for the length of one scope with
// StackErrorLogCapture and assert the exact lines that were written.
#pragma once

#include <cstdarg>
#include <string>

namespace ZalvoBACnetStack {

// Receives each finished report line (terminated by "\n").
class StackErrorSink {
public:
    virtual ~StackErrorSink() = default;
    virtual void Write(const std::string& line) = 0;
};

// operation: qualified name ("ZalvoBACnetStack::BACnetTag::DecodeAndCheckOpeningTag");
// source: the lower-case class file name ("bacnettag"); line: the reporting line.
void StackErrorLog(const char* operation, const char* source, int line, const char* format, ...)
    __attribute__((format(printf, 4, 5)));

// Installs `sink` (null restores standard output) and returns the previous one.
StackErrorSink* SetStackErrorSink(StackErrorSink* sink);

// Collects every report written while it lives; restores the previous sink on exit.
class StackErrorLogCapture final : public StackErrorSink {
public:
    StackErrorLogCapture();
    ~StackErrorLogCapture() override;
    StackErrorLogCapture(const StackErrorLogCapture&) = delete;
    StackErrorLogCapture& operator=(const StackErrorLogCapture&) = delete;

    void Write(const std::string& line) override { text_ += line; }
    const std::string& Text() const { return text_; }
    // True when some line carries exactly this message after the " - " separator.
    bool HasMessage(const std::string& message) const;
    // The messages (text after " - ", without the line break), in order.
    std::string Messages() const;
    void Clear() { text_.clear(); }

private:
    std::string text_;
    StackErrorSink* previous_;
};

}  // namespace ZalvoBACnetStack
