#pragma once

#include "core/cbase.h"
#include "core/clinkedlist.h"
#include "ui/plotscene.h"

#include <optional>

class CFunction;
class CInterpreter;
class CNamedNumeric;
class CString;
class CUserInterface;

using CSymbolList = CLinkedList<CNamedNumeric>;

// The store of every name: user variables, constants, arrays and functions,
// the built-in constants, the library functions and the reserved words. It
// also carries the interrupt poll of long computations and the y range that
// SETYRANGE fixes for PLOTXY.
class CProgram : public CBase {
public:
    explicit CProgram(CInterpreter* pInterpreter);
    ~CProgram() override;
    std::uint8_t GetClassNumber() const override;

    // Creates the seven lists and fills the built-in ones.
    void DefineBuiltIns();

    void SetUserInterface(CUserInterface* pUI) { _pUI = pUI; }
    CUserInterface* GetUserInterface() const { return _pUI; }
    CInterpreter* GetInterpreter() const { return _pInterpreter; }

    CSymbolList* GetVariables() const { return _pollVariables; }
    CSymbolList* GetConstants() const { return _pollConstants; }
    CSymbolList* GetArrays() const { return _pollArrays; }
    CSymbolList* GetBuiltInConstants() const { return _pollBuiltInConstants; }
    CSymbolList* GetUserFunctions() const { return _pollUserFunctions; }
    CSymbolList* GetLibraryFunctions() const { return _pollLibraryFunctions; }
    CSymbolList* GetReservedWords() const { return _pollReservedWords; }

    // The first function of that name: user functions, then library ones.
    CFunction* FindFunction(const CString* pstrName) const;

    // The y range of the PLOTXY plots to come; null while they choose it
    // from their curves, as a new program does. The range must be drawable.
    void SetPlotYRange(Extended lo, Extended hi);
    void ClearPlotYRange() { _plotYRange.reset(); }
    const SPlotRange* GetPlotYRange() const { return _plotYRange ? &*_plotYRange : nullptr; }

    // Every 1000th call asks the user interface whether to stop, and raises
    // the interruption when it says so. Inline: every loop pass polls.
    void PollInterrupt() {
        if (--_nPollCountdown <= 0) {
            AskInterface();
        }
    }

private:
    void AskInterface();

    CSymbolList* _pollVariables = nullptr;
    CSymbolList* _pollConstants = nullptr;
    CSymbolList* _pollArrays = nullptr;
    CSymbolList* _pollBuiltInConstants = nullptr;
    CSymbolList* _pollUserFunctions = nullptr;
    CSymbolList* _pollLibraryFunctions = nullptr;
    CSymbolList* _pollReservedWords = nullptr;
    CInterpreter* _pInterpreter;
    CUserInterface* _pUI = nullptr;
    std::optional<SPlotRange> _plotYRange;
    // Polls left until the next question; never reset, so the first poll of
    // a line may be the 1000th since the last question.
    static constexpr int POLL_INTERVAL = 1000;
    int _nPollCountdown = POLL_INTERVAL;
};
