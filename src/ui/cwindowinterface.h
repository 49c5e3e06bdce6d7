#pragma once

#include "core/numbertext.h"
#include "cuserinterface.h"
#include "plotscene.h"
#include "statements/cplotscene.h"

#include <string>
#include <vector>

class CGraphCanvas;
class CGraphPicture;
class CWindowOperations;

// What lies under a point of the graph pane (see ProbeGraph).
struct SGraphProbe {
    // The world point under the pointer and its text, "x = 1.234  y = -5.6".
    Extended x;
    Extended y;
    char pchPointer[96];
    // The sampled point of a curve nearest to the pointer, if the picture
    // has curves: which curve and sample, where it lies on the pane, its
    // colour and its text, such as "F: x = 1.25  y = 0.949".
    bool bSample;
    int iCurve;
    int iSample;
    int pxSample;
    int pySample;
    Extended xSample;
    Extended ySample;
    int nColor;
    char pchSample[160];
};

// What the user may ask of a PLOTXY picture about one of its curves.
enum EGraphQuestion {
    GQ_ZERO,         // the zero nearest to x
    GQ_MINIMUM,      // the local minimum nearest to x
    GQ_MAXIMUM,      // the local maximum nearest to x
    GQ_INTERSECTION, // the crossing with curve iOther nearest to x (with iOther -1,
                     // the other curve nearest to this one at x)
    GQ_VALUE,        // the value at x
    GQ_AREA,         // the area between the curve and the x axis from x to x2
};
struct SGraphQuestion {
    EGraphQuestion kind;
    int iCurve;
    int iOther;
    Extended x;
    Extended x2;
};

// The user interface of the main window: it owns the interpreter and the
// program object, runs one command line at a time, reports the line's
// error, and turns every output and drawing operation into the window's
// operations.
class CWindowInterface : public CUserInterface {
public:
    static constexpr int BUTTON_COUNT = 4;

    CWindowInterface();
    ~CWindowInterface() override;
    std::uint8_t GetClassNumber() const override;

    void ClearGraph() override;
    void ClearOutput() override;
    void DrawGraphFrame() override;
    void PrintText(const char* pchText) override;
    void PrintChar(char ch) override;
    void PrintInteger(int n) override;
    void PrintNumber(Extended value) override;
    void SetNumberFormat(int nCode) override;
    void SetGraphicsFormat(int nCode) override;
    int GetGraphicsFormat() const override { return _nGraphicsFormat; }
    void DrawNumber(Extended value, Extended x, Extended y, int nDigits) override;
    void DescribePlot(const SPlotScene& scene) override;
    void DrawLegend() override;
    void KeepPlot(CPlotScene* poScene) override;
    void LetGoOfPlotSymbol(const CNamedNumeric* pSymbol) override;
    void SetPrecision(int nPrecision) override;
    void SetWorldWindow(Extended x0, Extended y0, Extended x1, Extended y1) override;
    void GetPlotArea(int* pxLeft, int* pyTop, int* pxRight, int* pyBottom) override;
    void MoveTo(Extended x, Extended y) override;
    void LineTo(Extended x, Extended y) override;
    void SetAxisPen() override;
    void SetPenColor(int red, int green, int blue) override;
    void SetGridPen() override;
    void ShowToolbar(bool bShown) override;
    void ToggleToolbar() override;
    bool IsToolbarShown() const override { return _bToolbarShown; }
    void ClearFunctionButton(int iButton) override;
    void SetFunctionButton(int iButton, const CString* pstrCaption, const CString* pstrFuncName,
                           bool bRunAtOnce) override;
    bool IsInterrupted() override;
    int GetInterfaceCode() const override { return 67; }

    // Creates the interpreter and the program object and wires them up, in
    // the order the program object's built-ins rely on.
    void Initialise();
    void AttachWindow(CWindowOperations* pWindow) { _pWindow = pWindow; }
    // Runs one command line and reports its error, if any, in the output.
    // False when the line reported an error (the interruption included).
    bool ExecuteLine(const char* pchLine);
    // Whether the line run last reported an error: callers that only see
    // the output pane, such as a run-at-once button, learn it here.
    bool HasLastLineFailed() const { return _bLastLineFailed; }
    // A click on function button iButton: runs its command or offers it as
    // a template in the input line.
    void PressFunctionButton(int iButton);
    static void CheckButtonIndex(int iButton);

    // World coordinates to pixels of the plot area last returned by
    // GetPlotArea, truncated toward zero.
    int MapX(Extended x) const;
    int MapY(Extended y) const;

    // The picture: the scene of the last plot since the pane was cleared.
    // RedrawGraph draws it on the pane at the pane's present size (the pane
    // was resized or shown again), sampling its functions anew for that
    // size; without a scene the pane is left white with its frame.
    void RedrawGraph();
    // Draws the picture on another canvas at that canvas's size, such as an
    // image being saved; the pane and its mapping stay as they were.
    void RenderGraph(CGraphCanvas* pCanvas);
    const CGraphPicture& GetGraphPicture() const { return *_poPicture; }

    // Reading the picture: false when the pane shows no plot or the pixel
    // lies outside the plot area's world window.
    bool ProbeGraph(int px, int py, SGraphProbe* pProbe) const;
    // The probe of one sample (for stepping along a curve); false when
    // there is no such sample or it could not be evaluated.
    bool ProbeSample(int iCurve, int iSample, SGraphProbe* pProbe) const;
    // Where a box of nWidth by nHeight pixels showing the probe's texts
    // covers no label and not the legend: a corner of the plot area if one
    // is free.
    void PlaceProbeBox(int nWidth, int nHeight, int* px, int* py) const;

    // Answers from the picture. Each looks among the samples of the view for
    // the bracket nearest to x and refines it with the routines of
    // FINDZEROS, FINDEXTREMA and INTEGRATE, marks the answer on the picture
    // and prints one line. Where there is nothing to find, or the functions
    // cannot say, pchMessage tells why and nothing changes.
    bool CanAnswerGraphQuestions() const;
    bool AnswerGraphQuestion(const SGraphQuestion& question, char (&pchMessage)[160]);
    // The span of x an area question starts from: the last band zoomed to,
    // else the view's.
    SPlotRange GetAreaSpan() const;

    // Exploring the picture: each shows another view of the scene, sampled
    // anew, and prints nothing. A request while a line runs, or one that
    // would leave a view the numbers cannot grid, does nothing; an
    // interrupted sampling leaves the view as it was.
    bool IsGraphNavigable() const;
    // Zooms around pixel (px, py) by a factor per axis (below 1 zooms in).
    void ZoomGraph(int px, int py, double xFactor, double yFactor);
    // Moves the picture's content by (dx, dy) pixels, as a drag does.
    void PanGraph(int dx, int dy);
    // Zooms to the pixel rectangle; a side of no height or width keeps the
    // range across it.
    void ZoomGraphTo(int px1, int py1, int px2, int py2);
    // Back to the view the plot statement drew.
    void HomeGraph();
    // The view the pane shows; false without a plot.
    bool GetGraphView(SPlotView* pView) const;
    // Shows the view; false when it cannot be shown.
    bool SetGraphView(const SPlotView& view);
    // The value of an expression typed into a dialog, such as "2*PI", with
    // the calculator's names; false when it has none or is not finite. Like
    // a function sampled for the picture, it prints nothing.
    bool EvaluateText(const char* pchText, Extended* pValue);

    EFloatFormat GetFloatFormat() const { return _floatFormat; }
    int GetPrecision() const { return _nPrecision; }
    // The stored button entry (1 to 4); null texts when unbound.
    const CString* GetButtonCaption(int iButton) const;
    const CString* GetButtonCommand(int iButton) const;
    bool IsButtonRunAtOnce(int iButton) const;

private:
    struct SFunctionButton {
        CString* poCommand = nullptr;
        CString* poCaption = nullptr;
        bool bRunAtOnce = false;
    };

    CWindowOperations* Window() const;
    void WriteOutput(const char* pchText);
    // The place in a program file of the error just reported, if it has one.
    void PrintErrorPlace();
    // The canvas drawn on: the window's pane, or the one RenderGraph draws.
    CGraphCanvas* Canvas() const;
    // Graph, output and window changes that a function sampled while the
    // user explores would make raise instead; its prints are dropped.
    void RefuseWhileExploring() const;
    void PaintWhite();
    // White pane, the scene (sampled first when bSample) and the frame.
    // False when the sampling was stopped: the old samples were drawn.
    bool DrawPicture(bool bSample);
    // Functions may be evaluated for the picture only between lines: a
    // running line owns the cleanup stack and its functions' parameters.
    bool CanSample() const;
    // Runs a call that evaluates the user's functions for the picture or a
    // dialog: they print nothing and cannot change the window, and what
    // they raise ends only the call. The code raised, or 0. The cleanup
    // stack is empty before (CanSample), so a raise releases only the
    // call's own temporaries.
    template <class F> int RunSilently(F&& call) {
        _bExploring = true;
        int nRaised = 0;
        try {
            call();
        } catch (int nCode) {
            nRaised = nCode;
        }
        _bExploring = false;
        return nRaised;
    }
    bool ShowView(const SPlotView& view);
    // The marks of the scene's answers, over its curves.
    void DrawMarks(const CPlotScene& scene);
    // The search of a question, with the functions running; false with a
    // message when there is nothing to find.
    bool FindAnswer(const SGraphQuestion& question, CPlotScene::SMark* pMark,
                    char (&pchMessage)[160]) const;
    // The curve other than iCurve whose value is nearest to iCurve's at the
    // sample nearest to x, or -1.
    int NearestOtherCurve(int iCurve, Extended x) const;
    void PrintAnswer(const SGraphQuestion& question, const CPlotScene::SMark& mark);
    // The world window drawn last, as a view.
    SPlotView ShownView() const;
    // Pixels back to world coordinates, through the last mapping.
    Extended UnmapX(int px) const;
    Extended UnmapY(int py) const;
    const SFunctionButton& Button(int iButton) const;
    void ReleaseButton(int iButton);

    CWindowOperations* _pWindow = nullptr;
    CGraphCanvas* _pCanvas = nullptr;
    CGraphPicture* _poPicture = nullptr;
    // Pixel rectangles of the legend and the labels drawn since the pane was
    // last cleared: a label that would cover one of them is left out, and
    // the probe's box looks for a corner free of them.
    struct SLabelBox {
        int x;
        int y;
        int w;
        int h;
        bool Meets(const SLabelBox& other) const {
            return x < other.x + other.w && other.x < x + w && y < other.y + other.h &&
                   other.y < y + h;
        }
    };
    std::vector<SLabelBox> _labels;
    bool IsFreeOfLabels(const SLabelBox& box) const;
    // Raises "Out of memory." when the boxes cannot grow.
    void KeepLabelBox(const SLabelBox& box);
    // The legend's box of the plot being drawn (none for one curve) and the
    // names and colours it lists.
    bool _bLegend = false;
    SLabelBox _legendBox{0, 0, 0, 0};
    struct SLegendEntry {
        std::string name;
        int nColor;
    };
    std::vector<SLegendEntry> _legend;
    // Set while the picture's functions are evaluated for a new view or size.
    bool _bExploring = false;
    // Lines being run (a run-at-once button may run one inside another).
    int _nLinesRunning = 0;
    // The x range of the last band zoomed to on the picture shown.
    bool _bSpan = false;
    SPlotRange _span{0, 0};
    EFloatFormat _floatFormat = FF_GENERAL;
    int _nPrecision = 18;
    int _nDigits = 2;
    Extended _x0 = 0, _y0 = 0, _x1 = 1, _y1 = 1;
    int _pxLeft = 0, _pyTop = 0, _pxRight = 0, _pyBottom = 0;
    bool _bToolbarShown = true;
    bool _bLastLineFailed = false;
    int _nGraphicsFormat = GF_MEDIUM;
    SFunctionButton _buttons[BUTTON_COUNT];
};
