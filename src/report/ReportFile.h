#pragma once
// Saved report files: "<folder>\MSTS_<caption>.txt", every line followed by
// CR LF (the last one too), Windows-1252 bytes, no byte-order mark; an existing
// file is replaced. A report holding any character that Windows-1252 lacks is
// written in UTF-8 instead, the whole file, after a byte-order mark.
#include <string>
#include <vector>

namespace tw {

// folder + "\MSTS_" + caption + ".txt"
std::wstring reportFilePath(const std::wstring& folder, const std::wstring& caption);

// Writes the lines; throws AppError "Cannot create file "%s". %s" when the file
// cannot be created and "Stream write error" when writing stops short.
void saveReportFile(const std::wstring& path, const std::vector<std::wstring>& lines);

// The bytes saveReportFile writes for these lines.
std::string reportFileBytes(const std::vector<std::wstring>& lines);
// Writes the bytes to a new file (an existing one is replaced). Returns 0, or
// the system's error code when the file cannot be created (nothing written);
// throws AppError "Stream write error" when writing stops short.
unsigned long writeReportBytes(const std::wstring& path, const std::string& bytes);

} // namespace tw
