#pragma once

#include <cstddef>
#include <cstdint>

class CUserInterface;

// Class numbers index the instance counters; every class books itself under
// its own number, so a live object counts once under each class of its chain.
enum EClassNumber : std::uint8_t {
    CN_SYMBOL = 0,
    CN_NUMERIC = 3,
    CN_NAMEDNUMERIC = 26,
    CN_NAMEDCONSTANT = 27,
    CN_VARIABLE = 28,
    CN_ARRAY = 29,
    CN_FUNCTION = 30,
    CN_USERFUNCTION = 31,
    CN_LIBRARYFUNCTION = 32,
    CN_EXPRESSION = 33,
    CN_LINKEDLIST = 34,
    CN_STRING = 35,
    CN_STATEMENT = 36,
    CN_ASSIGNVARIABLE = 37,
    CN_DECLAREARRAY = 38,
    CN_ASSIGNARRAY = 39,
    CN_PRINTEXPRESSION = 40,
    CN_DEFINEFUNCTION = 41,
    CN_FINDZEROS = 42,
    CN_DONOTHING = 43,
    CN_PROGRAM = 44,
    CN_INTERPRETER = 45,
    CN_USERINTERFACE = 46,
    CN_WINDOWINTERFACE = 48,
    CN_PLOTCURVE = 49,
    CN_INPUTFILE = 50,
    CN_RUNFILE = 52,
    CN_DELETESYMBOL = 53,
    CN_DECLARECONSTORVAR = 54,
    CN_SEQUENCE = 55,
    CN_BRANCH = 56,
    CN_REPEAT = 57,
    CN_EXITLOOP = 58,
    CN_EXITFUNCTION = 59,
    CN_PRINTTEXT = 60,
    CN_PROTOSTATEMENT = 61,
    CN_BASE = 62,
    CN_NODE = 63,
    CN_INTEGRATE = 64,
    CN_CLEARFUNCTIONBUTTON = 65,
    CN_SETFUNCTIONBUTTON = 66,
    CN_STATEMENTWITHEXPRESSIONS = 67,
    CN_NODEEVALTREE = 68,
    CN_NODEOPERATION = 69,
    CN_NODENAMEDVALUE = 70,
    CN_NODEUNKNOWN = 71,
    CN_CALLSUB = 72,
    CN_GRAPHPICTURE = 73,
    CN_SVGCANVAS = 74,
    CN_SOURCEPLACE = 75,
    CN_SETYRANGE = 76,
    CN_PLOTSCENE = 77,
    CN_FINDEXTREMA = 78,
    CN_FUNCTIONSEARCH = 79,
};

constexpr int OBJECT_COUNTERS = 200;

// Live objects per class number (strings: class number plus counter offset),
// and the copy taken at the last reset.
extern int ObjectCount[OBJECT_COUNTERS];
extern int SnapshotCount[OBJECT_COUNTERS];
// Live main windows.
extern int n_ivcInstance;

void AddInstance(int nClassNumber, int nOffset = 0);
void RemoveInstance(int nClassNumber, int nOffset = 0);
void SnapshotCounts();
// Prints the counters that were not zero at the last snapshot; true when it
// printed anything.
bool ReportLeaks(CUserInterface* pUI);

// The counted root of every object of the program. Objects are allocated
// through its operator new, which raises "Out of memory." instead of
// returning nothing.
class CBase {
public:
    CBase();
    virtual ~CBase();
    virtual std::uint8_t GetClassNumber() const;

    CBase(const CBase&) = delete;
    CBase& operator=(const CBase&) = delete;

    static void* operator new(std::size_t nBytes);
    static void operator delete(void* p) noexcept;
};
