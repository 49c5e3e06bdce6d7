#pragma once

#include "core/cbase.h"

#include <cstdio>

class CInterpreter;
class CString;

// Reads a text file line by line.
class CInputFile : public CBase {
public:
    CInputFile();
    ~CInputFile() override;
    std::uint8_t GetClassNumber() const override;

    void Open(const CString* pstrFilename, const CInterpreter* pIntr);
    bool IsOpen() const { return _pStream != nullptr; }
    bool IsAtEnd() const;
    // One line without its line feed (or carriage return and line feed),
    // NUL-terminated, at most nSize - 1 characters; the rest of a longer
    // line is skipped and WasLineCut tells. False at the end of the file.
    bool ReadLine(char* pchLine, int nSize);
    bool WasLineCut() const { return _bLineCut; }

private:
    std::FILE* _pStream = nullptr;
    bool _bLineCut = false;
};
