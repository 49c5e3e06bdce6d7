#include "errorcodes.h"

#include "cassert.h"
#include "cstring.h"
#include "ui/cuserinterface.h"

#include <algorithm>
#include <iterator>

namespace {

struct SErrorEntry {
    int nCode;
    // cppcheck-suppress unusedStructMember ; read through the search below
    SErrorMessage message;
};

constexpr const char* DUPLICATE_NAME = "Duplicate symbol name: \"";
constexpr const char* ILLEGAL_NAME = "Illegal symbol name: \"";
constexpr const char* UNKNOWN_SYMBOL = "Unknown symbol: \"";
constexpr const char* ILLEGAL_PARAMETER = "Illegal parameter value in function call.";
constexpr const char* ONE_VARIABLE = "This statement can only deal with functions of ONE variable.";
constexpr const char* NAME_MISSING = "Constant/variable name is missing in declaration.";
constexpr const char* NAME_END = "\".";

constexpr SErrorEntry ERROR_TABLE[] = {
    {-2071, {"Output text is too long.", nullptr}},
    {-2070, {"Input text is too long.", nullptr}},
    {-2069, {"Statement SETFUNCTIONBUTTON expects the function string to be nonblank.", nullptr}},
    {-2068,
     {"Statement SETFUNCTIONBUTTON expects the caption string to be nonblank and not exceed 10 "
      "characters length.",
      nullptr}},
    {-2067, {"Execution interrupted by user.", nullptr}},
    {-2066, {"Statement RUNFILE expects filename to be enclosed in double quotes.", nullptr}},
    {-2065, {"File name is missing.", nullptr}},
    {-2064, {"Error in array declaration.", nullptr}},
    {-2063, {"Error in control structure.", nullptr}},
    {-2062, {"Error in expression.", nullptr}},
    {-2061, {"Expected ELSE, ELSE IF or END IF.", nullptr}},
    {-2060, {"Expected string literal (= character sequence enclosed in double quotes).", nullptr}},
    {-2059, {"A subroutine doesn't return a value.", nullptr}},
    {-2058, {"Can't call subroutines inside expressions.", nullptr}},
    {-2057, {"Illegal array dimension.", nullptr}},
    {-2056, {"Parameter missing in function call.", nullptr}},
    {-2055, {"Expected comma \",\".", nullptr}},
    {-2054, {"Cannot delete symbol because external references to it exist.", nullptr}},
    {-2053,
     {"Variable and constant declarations are not allowed within control structures.", nullptr}},
    {-2052,
     {"Local constant and variable declarations must be at the start of the function body.",
      nullptr}},
    {-2051,
     {"Function definitions are not allowed within function definitions or control structures.",
      nullptr}},
    {-2050, {"Recursion is not allowed.", nullptr}},
    {-2049, {"Statement DELETE can be used in direct mode only.", nullptr}},
    {-2048, {"Cannot use reserved word as symbol name: \"", NAME_END}},
    {-2047, {ONE_VARIABLE, nullptr}},
    {-2046,
     {"The syntax for Integrate is \nINTEGRATE F,A,B,VAR\nwhere F is the function being "
      "integrated, A and B are expressions defining the integration interval endpoints and VAR "
      "is the name of an existing variable.",
      nullptr}},
    {-2045, {"File not found: \"", NAME_END}},
    {-2043, {"Arrghh!! Internal logic error!", nullptr}},
    {-2042, {"Singularity error.", nullptr}},
    {-2041, {ILLEGAL_PARAMETER, nullptr}},
    {-2040,
     {"Syntax for printing text is\nPRINT \"Text\"   (adds newline)\nor\nPrint \"Text\";   "
      "(does not add newline)",
      nullptr}},
    {-2039, {"Interval must have nonzero length.", nullptr}},
    {-2038, {"Expression missing in PRINT statement.", nullptr}},
    {-2037, {"Expected \"THEN\".", nullptr}},
    {-2036, {"Expected \"TO\".", nullptr}},
    {-2033, {ONE_VARIABLE, nullptr}},
    {-2032, {ONE_VARIABLE, nullptr}},
    {-2031, {"Expression is empty.", nullptr}},
    {-2030, {ILLEGAL_PARAMETER, nullptr}},
    {-2029, {"Unexpected error.", nullptr}},
    {-2028, {UNKNOWN_SYMBOL, NAME_END}},
    {-2027, {UNKNOWN_SYMBOL, NAME_END}},
    {-2026, {"Expression is missing in assignment.", nullptr}},
    {-2025, {"Variable name is missing in assignment.", nullptr}},
    {-2024, {NAME_MISSING, nullptr}},
    {-2023, {"Constant must be initialized on declaration.", nullptr}},
    {-2022, {NAME_MISSING, nullptr}},
    {-2021, {"Operator missing right operand.", nullptr}},
    {-2020, {"Operator missing left operand.", nullptr}},
    {-2019, {"Expected right bracket \")\".", nullptr}},
    {-2018, {"Expected left bracket \"(\".", nullptr}},
    {-2017, {"File is empty.", nullptr}},
    {-2016, {"Could not open file \"", NAME_END}},
    {-2015, {"String cannot be interpreted as a number.", nullptr}},
    {-2014, {"Right bracket \")\" is missing.", nullptr}},
    {-2013, {"Left bracket \"(\" is missing.", nullptr}},
    {-2012, {"Function must return a value.", nullptr}},
    {-2010, {"Wrong number of parameters in function call.", nullptr}},
    {-2009, {"Cannot reassign a constant value.", nullptr}},
    {-2008, {DUPLICATE_NAME, NAME_END}},
    {-2007, {ILLEGAL_NAME, NAME_END}},
    {-2006, {DUPLICATE_NAME, NAME_END}},
    {-2005, {ILLEGAL_NAME, NAME_END}},
    {-2004, {DUPLICATE_NAME, NAME_END}},
    {-2003, {ILLEGAL_NAME, NAME_END}},
    {-2002, {DUPLICATE_NAME, NAME_END}},
    {-2001, {ILLEGAL_NAME, NAME_END}},
    {-1010,
     {"The syntax for FindExtrema is \nFINDEXTREMA F,A,B\nwhere F is the function the extrema "
      "are searched for, A and B are the search interval endpoints.",
      nullptr}},
    {-1009,
     {"The syntax for SetYRange is \nSETYRANGE Y1,Y2\nwhere Y1 and Y2 determine endpoints of the y "
      "range of PLOTXY, \nor SETYRANGE AUTO to choose it from the curves.",
      nullptr}},
    {-1008, {"STEP must not be zero.", nullptr}},
    {-1007,
     {"The syntax for FindZeros is \nFINDZEROS F,A,B \nwhere F is the function the zero points "
      "are searched for, A and B are the search interval endpoints.",
      nullptr}},
    {-1006,
     {"The syntax for PlotTXY is \nPLOTTXY T1,T2,FX,FY\nwhere T1 and T2 determine endpoints of "
      "the t range.",
      nullptr}},
    {-1005,
     {"The syntax for PlotXY is \nPLOTXY X1,X2,FY \nwhere X1 and X2 determine endpoints of the "
      "x range.",
      nullptr}},
    {-1004,
     {"The syntax for PlotPhiR is \nPLOTPHIR P1,P2,FR\nwhere P1 and P2 determine endpoints of "
      "the phi range.",
      nullptr}},
    {-1002, {"Syntax error in FOR structure.", nullptr}},
    {-1001, {"Syntax error in IF structure.", nullptr}},
    {-1000, {"Syntax error.", nullptr}},
    {-41, {"Division by zero.", nullptr}},
    {-10, {"Underflow.", nullptr}},
    {-9, {"Overflow.", nullptr}},
    {-7, {"Total loss of precision.", nullptr}},
    {-6, {ILLEGAL_PARAMETER, nullptr}},
    {-4, {"Out of memory.", nullptr}},
    {-1, {"Item not found.", nullptr}},
};

} // namespace

const SErrorMessage* FindErrorMessage(int nCode) {
    const auto* pEntry = std::find_if(std::begin(ERROR_TABLE), std::end(ERROR_TABLE),
                                      [nCode](const SErrorEntry& e) { return e.nCode == nCode; });
    return pEntry == std::end(ERROR_TABLE) ? nullptr : &pEntry->message;
}

void ReportError(int nCode, CUserInterface* pUI) {
    OSTREL_ASSERT(pUI);
    if (nCode != ERR_INTERRUPTED) {
        pUI->PrintText("ERROR! ");
    }
    const SErrorMessage* pMessage = FindErrorMessage(nCode);
    if (!pMessage) {
        pUI->PrintText("Code ");
        pUI->PrintInteger(nCode);
        pUI->PrintText(": no error message exists for this error code.");
        return;
    }
    pUI->PrintText(pMessage->pchText);
    if (pMessage->pchAfterName) {
        if (const CString* pstrName = pUI->GetErrorName()) {
            pstrName->Print(pUI);
        }
        pUI->PrintText(pMessage->pchAfterName);
    }
}
