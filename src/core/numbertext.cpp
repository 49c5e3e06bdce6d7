#include "numbertext.h"

#include "cassert.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <system_error>

namespace {

// A value as 0.d1d2...dk x 10^E, d1 != 0 and no trailing zero digits; zero
// has no digits and E = 0.
struct SDecimal {
    char digits[MAX_PRECISION + 2];
    int nDigits;
    int nExponent;
};

constexpr int SOURCE_DIGITS = 40;

// Keeps the first nKeep digits of d, rounding half away from zero on the
// digit that follows; a carry out of the first digit raises the exponent.
void RoundDigits(char* pchDigits, int nAvailable, int nKeep, int* pnExponent, int* pnDigits) {
    if (nKeep < 0) {
        *pnDigits = 0;
        *pnExponent = 0;
        return;
    }
    bool bUp = nKeep < nAvailable && pchDigits[nKeep] >= '5';
    int n = std::min(nKeep, nAvailable);
    for (int i = n - 1; bUp && i >= 0; --i) {
        if (pchDigits[i] == '9') {
            pchDigits[i] = '0';
        } else {
            ++pchDigits[i];
            bUp = false;
        }
    }
    if (bUp) {
        // All kept digits were 9 (or none were kept): the value becomes 10^E.
        pchDigits[0] = '1';
        n = 1;
        ++*pnExponent;
    }
    while (n > 0 && pchDigits[n - 1] == '0') {
        --n;
    }
    *pnDigits = n;
    if (n == 0) {
        *pnExponent = 0;
    }
}

SDecimal ToDecimal(Extended magnitude, int nPrecision) {
    SDecimal decimal{};
    if (magnitude == 0) {
        return decimal;
    }
    // "d.ddd...e+XX", with "." whatever the process locale.
    char pchSource[SOURCE_DIGITS + 16];
    const std::to_chars_result result =
        std::to_chars(pchSource, pchSource + sizeof pchSource, magnitude,
                      std::chars_format::scientific, SOURCE_DIGITS);
    OSTREL_ASSERT(result.ec == std::errc());
    char pchDigits[SOURCE_DIGITS + 2];
    pchDigits[0] = pchSource[0];
    std::memcpy(pchDigits + 1, pchSource + 2, SOURCE_DIGITS);
    int nExponent = 0;
    const char* pchExponent = pchSource + SOURCE_DIGITS + 3;
    // from_chars takes no "+" sign.
    std::from_chars(pchExponent + (*pchExponent == '+' ? 1 : 0), result.ptr, nExponent);
    ++nExponent;
    RoundDigits(pchDigits, SOURCE_DIGITS + 1, nPrecision, &nExponent, &decimal.nDigits);
    std::memcpy(decimal.digits, pchDigits, static_cast<std::size_t>(decimal.nDigits));
    decimal.nExponent = nExponent;
    return decimal;
}

class CTextWriter {
public:
    explicit CTextWriter(char* pch) : _pch(pch) {}
    ~CTextWriter() { *_pch = '\0'; }
    CTextWriter(const CTextWriter&) = delete;
    CTextWriter& operator=(const CTextWriter&) = delete;

    void Put(char ch) { *_pch++ = ch; }
    void Put(const char* pch) {
        while (*pch) {
            Put(*pch++);
        }
    }
    void PutRepeated(char ch, int n) {
        for (int i = 0; i < n; ++i) {
            Put(ch);
        }
    }
    void PutExponent(int nExponent, bool bPlusSign, int nMinWidth) {
        char pch[16];
        std::snprintf(pch, sizeof pch, "%0*d", nMinWidth, std::abs(nExponent));
        Put('E');
        if (nExponent < 0) {
            Put('-');
        } else if (bPlusSign) {
            Put('+');
        }
        Put(pch);
    }

private:
    char* _pch;
};

// d1..dk x 10^E in positional notation, with at least nMinDecimals decimals.
void WritePositional(CTextWriter& out, const SDecimal& d, int nMinDecimals) {
    if (d.nExponent <= 0) {
        out.Put('0');
    } else {
        for (int i = 0; i < d.nExponent; ++i) {
            out.Put(i < d.nDigits ? d.digits[i] : '0');
        }
    }
    const int nLeadingZeros = d.nExponent < 0 ? -d.nExponent : 0;
    const int nFraction = d.nDigits - std::max(d.nExponent, 0);
    const int nDecimals = std::max(nLeadingZeros + std::max(nFraction, 0), nMinDecimals);
    if (nDecimals == 0) {
        return;
    }
    out.Put('.');
    for (int i = 0; i < nDecimals; ++i) {
        const int iDigit = i - nLeadingZeros + std::max(d.nExponent, 0);
        out.Put(i >= nLeadingZeros && iDigit < d.nDigits ? d.digits[iDigit] : '0');
    }
}

void WriteGeneral(CTextWriter& out, const SDecimal& d, int nPrecision) {
    if (d.nExponent >= -3 && d.nExponent <= nPrecision) {
        WritePositional(out, d, 0);
        return;
    }
    out.Put(d.digits[0]);
    if (d.nDigits > 1) {
        out.Put('.');
        for (int i = 1; i < d.nDigits; ++i) {
            out.Put(d.digits[i]);
        }
    }
    out.PutExponent(d.nExponent - 1, false, 1);
}

void WriteExponent(CTextWriter& out, const SDecimal& d, int nPrecision, int nDigits) {
    out.Put(d.nDigits > 0 ? d.digits[0] : '0');
    out.Put('.');
    for (int i = 1; i < nPrecision; ++i) {
        out.Put(i < d.nDigits ? d.digits[i] : '0');
    }
    out.PutExponent(d.nDigits > 0 ? d.nExponent - 1 : 0, true, nDigits);
}

void WriteFixed(CTextWriter& out, SDecimal d, int nDigits) {
    RoundDigits(d.digits, d.nDigits, d.nExponent + nDigits, &d.nExponent, &d.nDigits);
    WritePositional(out, d, nDigits);
}

} // namespace

void FormatNumber(Extended value, EFloatFormat format, int nPrecision, int nDigits,
                  char (&pchText)[NUMBER_TEXT_SIZE]) {
    nPrecision = std::clamp(nPrecision, 1, MAX_PRECISION);
    nDigits = std::clamp(nDigits, 0, 4);
    CTextWriter out(pchText);
    if (std::isnan(value)) {
        out.Put("NAN");
        return;
    }
    if (value < 0) {
        out.Put('-');
    }
    if (std::isinf(value)) {
        out.Put("INF");
        return;
    }
    const SDecimal decimal = ToDecimal(std::fabs(value), nPrecision);
    switch (format) {
    case FF_GENERAL:
        WriteGeneral(out, decimal, nPrecision);
        break;
    case FF_EXPONENT:
        WriteExponent(out, decimal, nPrecision, nDigits);
        break;
    case FF_FIXED:
        if (decimal.nExponent <= nPrecision) {
            WriteFixed(out, decimal, nDigits);
        } else {
            WriteGeneral(out, decimal, nPrecision);
        }
        break;
    }
}

std::string ShortNumberText(Extended value) {
    char pchText[NUMBER_TEXT_SIZE];
    FormatNumber(value, FF_GENERAL, 5, 2, pchText);
    return pchText;
}
