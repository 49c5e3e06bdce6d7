#include "cinputfile.h"

#include "core/cassert.h"
#include "core/cstring.h"

#include <sys/stat.h>

CInputFile::CInputFile() {
    AddInstance(CN_INPUTFILE);
}

CInputFile::~CInputFile() {
    if (_pStream) {
        std::fclose(_pStream);
    }
    RemoveInstance(CN_INPUTFILE);
}

std::uint8_t CInputFile::GetClassNumber() const {
    return CN_INPUTFILE;
}

void CInputFile::Open(const CString* pstrFilename, const CInterpreter* pIntr) {
    OSTREL_ASSERT(pstrFilename && pIntr);
    if (_pStream) {
        std::fclose(_pStream);
    }
    _pStream = std::fopen(pstrFilename->GetData(), "rb");
    // A directory opens, but cannot be read as a program.
    struct stat status {};
    if (_pStream && (fstat(fileno(_pStream), &status) != 0 || !S_ISREG(status.st_mode))) {
        std::fclose(_pStream);
        _pStream = nullptr;
    }
}

bool CInputFile::IsAtEnd() const {
    if (!_pStream) {
        return true;
    }
    const int ch = std::fgetc(_pStream);
    if (ch == EOF) {
        return true;
    }
    std::ungetc(ch, _pStream);
    return false;
}

bool CInputFile::ReadLine(char* pchLine, int nSize) {
    OSTREL_ASSERT(pchLine);
    OSTREL_ASSERT(nSize > 0);
    if (IsAtEnd()) {
        return false;
    }
    int nStored = 0;
    _bLineCut = false;
    for (int ch = std::fgetc(_pStream); ch != EOF && ch != '\n'; ch = std::fgetc(_pStream)) {
        if (nStored < nSize - 1) {
            pchLine[nStored++] = static_cast<char>(ch);
        } else if (ch != '\r') {
            _bLineCut = true;
        }
    }
    // A file written with carriage returns and line feeds reads the same.
    if (nStored > 0 && pchLine[nStored - 1] == '\r') {
        --nStored;
    }
    pchLine[nStored] = '\0';
    return true;
}
