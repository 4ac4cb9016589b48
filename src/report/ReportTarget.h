#pragma once
// The three operations a report is written through: the results window
// implements them, and so do the command-line tool and the tests.
#include <string>

namespace tw {

class ReportTarget {
public:
    virtual ~ReportTarget() = default;
    virtual void setCaption(const std::wstring& caption) = 0;
    virtual void clear() = 0;
    virtual void appendLine(const std::wstring& line) = 0;
};

} // namespace tw
