#pragma once

#include "core/cbase.h"
#include "core/extended.h"
#include "ui/plotscene.h"

#include <string>
#include <vector>

class CFunction;
class CNamedNumeric;
class CProgram;

// A plot as a model: what a plot statement drew (its kind, the functions it
// linked, each curve's name and colour, its parameter interval and the view
// it chose), the view shown now, and the samples of the view drawn last.
// The statement samples it once, strictly, as a plot always did; the window
// then draws it again at another size or in another view by sampling the
// same functions anew, which never raises: a sample that cannot be
// evaluated breaks its curve. Once the functions are let go (DELETE), the
// kept samples are all there is and a new view only rescales them.
class CPlotScene : public CBase {
public:
    // The samples of one curve: parameter (PLOTTXY and PLOTPHIR only; for
    // PLOTXY it is x), x and y. A sample that could not be evaluated has NaN
    // for x and y.
    struct SCurve {
        std::string name; // the function's name, or the expression written
        bool bExpression = false;
        int nColor = 0;
        CFunction* pFunc = nullptr; // counted reference, null once let go
        std::vector<Extended> t;
        std::vector<Extended> x;
        std::vector<Extended> y;
    };

    // An answer the user asked the picture for: a point of a curve (a zero,
    // an extremum, a crossing, a value) or the area between a curve and the
    // x axis. It stays with the picture through every size and view.
    struct SMark {
        bool bArea = false;
        int iCurve = 0;
        Extended x = 0;  // the point, or the area's lower end
        Extended y = 0;  // the point's value, or the area's
        Extended x2 = 0; // the area's upper end
        std::string label;
    };

    CPlotScene(CProgram* pProg, EPlotKind kind, const SPlotRange& interval);
    ~CPlotScene() override;
    std::uint8_t GetClassNumber() const override;

    // The functions in the order the statement names them: each holds a
    // counted reference until the scene goes or lets go of it.
    void AddCurve(CFunction* pFunc);
    void SetXFunction(CFunction* pFunc);

    // The statement's own sampling over its interval, for a plot area of
    // nWidth by nHeight pixels: PLOTXY takes nWidth - 1 samples, the others
    // 300. Every failure raises, as a plot statement's always did.
    void SampleStrictly(int nWidth, int nHeight);
    // The view the statement shows first, from the samples: the interval
    // across and the samples' range with headroom up (or pFixedY, for
    // PLOTXY, when the user fixed it); both ranges with headroom for the
    // parametric and polar kinds. It becomes the view shown.
    void ChooseHomeView(const SPlotRange* pFixedY);
    // Samples the shown view for a plot area of nWidth by nHeight pixels,
    // unless the samples are of that view and size already or the
    // functions are gone. An evaluation error leaves its sample out; only
    // an interruption or running out of memory raises, and then the scene
    // keeps the samples it had.
    void SampleView(int nWidth, int nHeight);

    // The view the picture draws on a plot area of that size: the shown one,
    // for a polar curve with equal units on both axes.
    SPlotView ViewOn(int nWidth, int nHeight) const;
    const SPlotView& GetView() const { return _view; }
    const SPlotView& GetHomeView() const { return _home; }
    // Shows another view; its samples are taken by the next SampleView.
    void SetView(const SPlotView& view) { _view = view; }
    bool IsHome() const;

    // The scene as the drawing routine takes it, pointing into the samples.
    // The pointers stay valid until the scene is sampled again.
    SPlotScene Describe(const SPlotView& view, std::vector<SPlotCurve>* pCurves) const;

    EPlotKind GetKind() const { return _kind; }
    const SPlotRange& GetInterval() const { return _interval; }
    const std::vector<SCurve>& GetCurves() const { return _curves; }
    bool HasFunctions() const { return !_curves.empty() && _curves.front().pFunc; }
    // How many of the symbol's counted references the scene holds.
    int CountHolds(const CNamedNumeric* pSymbol) const;
    // Gives every function back; the samples stay.
    void LetGoOfFunctions();

    // Raises "Out of memory." when the marks cannot grow.
    void AddMark(SMark mark);
    const std::vector<SMark>& GetMarks() const { return _marks; }

private:
    struct SSamples {
        std::vector<Extended> t;
        std::vector<Extended> x;
        std::vector<Extended> y;
    };

    static Extended EvaluateAt(CFunction* pFunc, Extended t, bool bStrict);
    void EvaluateCurvePoint(Extended t, bool bStrict, Extended* px, Extended* py) const;
    void SampleFunctionsOfX(const SPlotRange& x, int nSamples, bool bStrict,
                            std::vector<SSamples>* pSamples) const;
    void SampleCurve(const std::vector<Extended>& parameters, bool bStrict,
                     SSamples* pSamples) const;
    // Whether the step from sample i to the next meets the view.
    static bool MeetsView(const SSamples& samples, std::size_t i, const SPlotView& view);
    void Refine(const SPlotView& view, SSamples* pSamples) const;
    void TakeSamples(std::vector<SSamples>&& samples, const SPlotView& view, int nWidth,
                     int nHeight);

    CProgram* _pProg;
    EPlotKind _kind;
    SPlotRange _interval;
    std::vector<SCurve> _curves;
    std::vector<SMark> _marks;
    CFunction* _pFuncX = nullptr; // PLOTTXY's X function
    SPlotView _home{};
    SPlotView _view{};
    // What the samples were taken for.
    SPlotView _sampledView{};
    int _nSampledWidth = -1;
    int _nSampledHeight = -1;
};
