#pragma once

#include "cuserinterface.h"
#include "numbertext.h"
#include "plotscene.h"

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
    int nColor;
    char pchSample[160];
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
    void DrawNumber(Extended value, Extended x, Extended y) override;
    void DescribePlot(const SPlotScene& scene) override;
    void DrawLegend() override;
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

    // The retained picture: everything drawn since the last ClearGraph.
    // RedrawGraph draws it again on the pane at the pane's present size
    // (the pane was resized or shown again); nothing is evaluated. Without
    // a picture the pane is left white with its frame.
    void RedrawGraph();
    // Draws the picture on another canvas at that canvas's size, such as an
    // image being saved; the pane and its mapping stay as they were.
    void RenderGraph(CGraphCanvas* pCanvas);
    const CGraphPicture& GetGraphPicture() const { return *_poPicture; }

    // Reading the picture: false when the pane shows no plot or the pixel
    // lies outside the plot area's world window.
    bool ProbeGraph(int px, int py, SGraphProbe* pProbe) const;
    // The probe of one sample (for stepping along a curve); false when
    // there is no such sample.
    bool ProbeSample(int iCurve, int iSample, SGraphProbe* pProbe) const;

    // Exploring the picture. On a PLOTXY picture each of these runs PLOTXY
    // with the new interval through the window's RunCommand, as if typed;
    // on a parametric or polar picture it draws the kept samples in the new
    // view. A request that would leave a view the numbers cannot grid does
    // nothing.
    bool IsGraphNavigable() const;
    // Zooms around pixel (px, py) by the factor (below 1 zooms in); a
    // PLOTXY keeps only the x of the pixel.
    void ZoomGraph(int px, int py, double factor);
    // Moves the picture's content by (dx, dy) pixels, as a drag does.
    void PanGraph(int dx, int dy);
    // Zooms to the pixel rectangle; a PLOTXY takes only its x range.
    void ZoomGraphTo(int px1, int py1, int px2, int py2);
    // Back to the interval of the plot the user ran last, or to the view of
    // the parametric or polar picture as first drawn.
    void HomeGraph();

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
    // The place in a program file of the error just reported, if it has one.
    void PrintErrorPlace();
    // The canvas drawn on: the window's pane, or the one RenderGraph draws.
    CGraphCanvas* Canvas() const;
    // Adds the operation to the picture, unless the picture is being drawn
    // again.
    void Keep(int op, Extended a = 0, Extended b = 0, Extended c = 0, Extended d = 0);
    void ReplayPicture();
    // The curve pen of a canvas colour, kept in the picture.
    void UsePenColor(int nColor);
    void DrawView(SPlotRange x, SPlotRange y);
    void RunPlotXY(const SPlotRange& interval);
    // Pixels back to world coordinates, through the last mapping.
    Extended UnmapX(int px) const;
    Extended UnmapY(int py) const;
    const SFunctionButton& Button(int iButton) const;
    void ReleaseButton(int iButton);

    CWindowOperations* _pWindow = nullptr;
    CGraphCanvas* _pCanvas = nullptr;
    CGraphPicture* _poPicture = nullptr;
    // Pixel rectangles of the labels drawn since the pane was last cleared:
    // a label that would cover one of them is left out.
    struct SLabelBox {
        int x;
        int y;
        int w;
        int h;
    };
    std::vector<SLabelBox> _labels;
    // The interval of the last PLOTXY the user ran (not a zoom), and the
    // first view of the last parametric or polar picture.
    SPlotRange _homeInterval{0, 0};
    SPlotRange _homeX{0, 0};
    SPlotRange _homeY{0, 0};
    // The view a polar picture asked for and the size of the plot area it
    // was drawn on: on a pane of another shape it is drawn anew, round.
    SPlotRange _polarX{0, 0};
    SPlotRange _polarY{0, 0};
    int _nPolarWidth = 0;
    int _nPolarHeight = 0;
    bool _bReplaying = false;
    bool _bNavigating = false;
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
