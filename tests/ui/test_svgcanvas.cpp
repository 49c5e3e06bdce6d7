#include "enginetest.h"

#include "ui/csvgcanvas.h"

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int BLUE = CanvasColor(0, 0, 255);
constexpr int RED = CanvasColor(255, 0, 0);

class SvgCanvasTest : public EngineTest {
protected:
    void TearDown() override {
        delete poCanvas;
        poCanvas = nullptr;
        if (!directory.empty()) {
            fs::remove_all(directory);
        }
        EngineTest::TearDown();
    }

    // The document's elements, between the svg element and its end.
    std::string Body() const {
        const std::string document = poCanvas->GetDocument();
        const std::size_t iStart = document.find(">\n", document.find("<svg")) + 2;
        return document.substr(iStart, document.rfind("</svg>") - iStart);
    }
    static int Count(const std::string& text, const std::string& part) {
        int n = 0;
        for (std::size_t i = text.find(part); i != std::string::npos; i = text.find(part, i + 1)) {
            ++n;
        }
        return n;
    }
    // A directory of this test's own for files.
    const fs::path& Directory() {
        if (directory.empty()) {
            directory =
                fs::path(::testing::TempDir()) /
                ("svgcanvas_" +
                 std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
            fs::remove_all(directory);
            fs::create_directories(directory);
        }
        return directory;
    }
    std::ptrdiff_t EntryCount() {
        return std::distance(fs::directory_iterator(Directory()), fs::directory_iterator());
    }
    static std::string FileText(const fs::path& path) {
        std::ifstream file(path, std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }

    CSvgCanvas* poCanvas = new CSvgCanvas(300, 200);
    fs::path directory;
};

// Whether every tag after the XML declaration is closed in order: an
// element either ends itself ("/>") or is ended by its own end tag.
bool IsBalanced(const std::string& document) {
    std::vector<std::string> open;
    std::size_t i = document.find("?>");
    while ((i = document.find('<', i)) != std::string::npos) {
        const std::size_t iEnd = document.find('>', i);
        if (iEnd == std::string::npos) {
            return false;
        }
        const std::string tag = document.substr(i + 1, iEnd - i - 1);
        const std::string name = tag.substr(0, tag.find_first_of(" /"));
        if (tag[0] == '/') {
            if (open.empty() || open.back() != tag.substr(1)) {
                return false;
            }
            open.pop_back();
        } else if (tag.back() != '/') {
            open.push_back(name);
        }
        i = iEnd;
    }
    return open.empty();
}

// --- Lines -------------------------------------------------------------------

TEST_F(SvgCanvasTest, LinesOfOneStrokeFormOnePolylineThroughPixelCentres) {
    poCanvas->SetCanvasPen(BLUE, 1);
    poCanvas->CanvasMoveTo(0, 0);
    poCanvas->CanvasLineTo(10, 0);
    poCanvas->CanvasLineTo(10, -5);
    poCanvas->CanvasLineTo(100000, 5);
    EXPECT_EQ(Body(), "<polyline fill=\"none\" stroke=\"#0000ff\" stroke-width=\"1\" "
                      "points=\"0.5,0.5 10.5,0.5 10.5,-4.5 100000.5,5.5\"/>\n");
}

TEST_F(SvgCanvasTest, MoveToAndAnotherPenStartNewPolylines) {
    poCanvas->SetCanvasPen(BLUE, 1);
    poCanvas->CanvasMoveTo(0, 0);
    poCanvas->CanvasLineTo(1, 1);
    poCanvas->CanvasMoveTo(5, 5);
    poCanvas->CanvasMoveTo(6, 6);
    poCanvas->CanvasLineTo(7, 7);
    // The same pen again continues the line.
    poCanvas->SetCanvasPen(BLUE, 1);
    poCanvas->CanvasLineTo(8, 8);
    // Red in the low byte, written #rrggbb.
    poCanvas->SetCanvasPen(CanvasColor(0x12, 0x34, 0x56), 3);
    poCanvas->CanvasLineTo(9, 9);
    EXPECT_EQ(Body(), "<polyline fill=\"none\" stroke=\"#0000ff\" stroke-width=\"1\" "
                      "points=\"0.5,0.5 1.5,1.5\"/>\n"
                      "<polyline fill=\"none\" stroke=\"#0000ff\" stroke-width=\"1\" "
                      "points=\"6.5,6.5 7.5,7.5 8.5,8.5\"/>\n"
                      "<polyline fill=\"none\" stroke=\"#123456\" stroke-width=\"3\" "
                      "points=\"8.5,8.5 9.5,9.5\"/>\n");
}

// --- Rectangles ----------------------------------------------------------------

TEST_F(SvgCanvasTest, RectangleIsFilledWithTheBrushAndOutlinedWithThePen) {
    poCanvas->SetCanvasPen(RED, 1);
    poCanvas->SetCanvasBrush(CanvasColor(0, 255, 0));
    poCanvas->CanvasRectangle(2, 3, 10, 8);
    // Reversed corners cover the same pixels.
    poCanvas->CanvasRectangle(10, 8, 2, 3);
    const std::string rect = "<rect x=\"2.5\" y=\"3.5\" width=\"7\" height=\"4\" "
                             "fill=\"#00ff00\" stroke=\"#ff0000\" stroke-width=\"1\"/>\n";
    EXPECT_EQ(Body(), rect + rect);
}

TEST_F(SvgCanvasTest, ThinRectangleIsItsOutlineAndAnEmptyOneNothing) {
    poCanvas->SetCanvasPen(RED, 1);
    poCanvas->CanvasRectangle(4, 4, 5, 9);
    poCanvas->CanvasRectangle(4, 4, 4, 9);
    EXPECT_EQ(
        Body(),
        "<rect x=\"4\" y=\"4\" width=\"1\" height=\"5\" stroke=\"none\" fill=\"#ff0000\"/>\n");
}

TEST_F(SvgCanvasTest, RectangleEndsThePolylineBeforeIt) {
    poCanvas->CanvasLineTo(3, 0);
    poCanvas->CanvasRectangle(0, 0, 300, 200);
    poCanvas->CanvasLineTo(3, 3);
    const std::string body = Body();
    EXPECT_EQ(Count(body, "<polyline"), 2);
    EXPECT_LT(body.find("points=\"0.5,0.5 3.5,0.5\""), body.find("<rect"));
    EXPECT_GT(body.find("points=\"3.5,0.5 3.5,3.5\""), body.find("<rect"));
}

// --- Texts -----------------------------------------------------------------------

TEST_F(SvgCanvasTest, TextStandsOnTheBrushWithItsTopLeftAtThePoint) {
    poCanvas->SetCanvasBrush(CanvasColor(255, 255, 0));
    poCanvas->CanvasTextOut(20, 30, "1.5");
    // The 8-pixel labels: ascent 8, text height 8 + 2. The box under the
    // text has no outline, whatever a reader takes for granted.
    ASSERT_EQ(poCanvas->CanvasTextHeight("1.5"), 10);
    ASSERT_EQ(poCanvas->CanvasTextWidth("1.5"), EstimatedTextWidth("1.5", 8));
    EXPECT_EQ(Body(), "<rect x=\"20\" y=\"30\" width=\"" +
                          std::to_string(EstimatedTextWidth("1.5", 8)) +
                          "\" height=\"10\" stroke=\"none\" fill=\"#ffff00\"/>\n"
                          "<text x=\"20\" y=\"38\" font-family=\"DejaVu Sans\" font-size=\"8\" "
                          "fill=\"#000000\" xml:space=\"preserve\">1.5</text>\n");
}

TEST_F(SvgCanvasTest, TextIsEscapedKeepsUtf8AndReadsOtherBytesAsLatin1) {
    poCanvas->CanvasTextOut(0, 0, "a<b & \"c\" >\x01\td");
    // A UTF-8 micro sign, a Latin-1 one, a lone continuation byte, an
    // encoded surrogate and a truncated sequence at the end.
    poCanvas->CanvasTextOut(0, 0, "\xc2\xb5|\xb5|\x80|\xed\xa0\x80|\xe2\x82");
    const std::string body = Body();
    EXPECT_NE(body.find(">a&lt;b &amp; &quot;c&quot; &gt;d</text>"), std::string::npos);
    EXPECT_NE(body.find(">\xc2\xb5|\xc2\xb5|\xc2\x80|\xc3\xad\xc2\xa0\xc2\x80|\xc3\xa2\xc2\x82<"),
              std::string::npos);
}

TEST_F(SvgCanvasTest, LabelSizeFollowsTheCanvasSize) {
    delete poCanvas;
    poCanvas = new CSvgCanvas(1200, 1000);
    ASSERT_EQ(GraphLabelPixelSize(1200, 1000), 14);
    EXPECT_EQ(poCanvas->CanvasTextHeight("1"), EstimatedTextHeight(14));
    EXPECT_EQ(poCanvas->CanvasTextWidth("-0.25"), EstimatedTextWidth("-0.25", 14));
    poCanvas->CanvasTextOut(0, 0, "1");
    // Ascent ceil(0.928 * 14) = 13.
    EXPECT_NE(Body().find("y=\"13\" font-family=\"DejaVu Sans\" font-size=\"14\""),
              std::string::npos);
}

// A canvas that measures text its own way, as the window's does with its font.
class CMeasuredSvgCanvas : public CSvgCanvas {
public:
    CMeasuredSvgCanvas() : CSvgCanvas(300, 200) {}
    int CanvasTextHeight(const char* /*pchText*/) const override { return 11; }
    int CanvasTextWidth(const char* /*pchText*/) const override { return 42; }
};

TEST_F(SvgCanvasTest, TextBackgroundTakesASubclassMeasure) {
    delete poCanvas;
    poCanvas = new CMeasuredSvgCanvas;
    poCanvas->CanvasTextOut(1, 2, "x");
    EXPECT_EQ(
        Body().substr(0, Body().find('\n')),
        "<rect x=\"1\" y=\"2\" width=\"42\" height=\"11\" stroke=\"none\" fill=\"#ffffff\"/>");
}

// --- The document ------------------------------------------------------------------

TEST_F(SvgCanvasTest, DocumentIsClosedAndBalancedWithAPolylineStillOpen) {
    poCanvas->CanvasRectangle(0, 0, 300, 200);
    poCanvas->CanvasTextOut(5, 5, "<svg>");
    poCanvas->CanvasMoveTo(0, 0);
    poCanvas->CanvasLineTo(299, 199);
    const std::string document = poCanvas->GetDocument();
    EXPECT_EQ(document.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                             "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"300\" "
                             "height=\"200\" viewBox=\"0 0 300 200\">\n",
                             0),
              0U);
    EXPECT_EQ(document.substr(document.size() - 7), "</svg>\n");
    EXPECT_TRUE(IsBalanced(document));
    EXPECT_EQ(Count(document, "<polyline"), 1);
    // Reading the document changes nothing: the line goes on.
    EXPECT_EQ(poCanvas->GetDocument(), document);
    poCanvas->CanvasLineTo(0, 199);
    EXPECT_EQ(Count(poCanvas->GetDocument(), "<polyline"), 1);
}

TEST_F(SvgCanvasTest, BalanceCheckSeesAnUnclosedElement) {
    EXPECT_FALSE(IsBalanced("<?xml?><svg><text>a</svg>"));
    EXPECT_FALSE(IsBalanced("<?xml?><svg>"));
    EXPECT_TRUE(IsBalanced("<?xml?><svg a=\"1\"><rect/><text>a</text></svg>"));
}

TEST_F(SvgCanvasTest, IsCountedUnderItsOwnClassNumber) {
    EXPECT_EQ(poCanvas->GetClassNumber(), CN_SVGCANVAS);
    EXPECT_EQ(ObjectCount[CN_SVGCANVAS], 1);
    EXPECT_EQ(ObjectCount[CN_BASE], 1);
}

// --- Writing the file ----------------------------------------------------------------

TEST_F(SvgCanvasTest, WriteFileReplacesAnEarlierFileAndSkipsATemporaryNameInUse) {
    const fs::path target = Directory() / "graph.svg";
    std::ofstream(target) << "earlier";
    std::ofstream(Directory() / "graph.svg.~1") << "someone else's";
    poCanvas->CanvasLineTo(5, 5);
    ASSERT_TRUE(poCanvas->WriteFile(target.c_str()));
    EXPECT_EQ(FileText(target), poCanvas->GetDocument());
    EXPECT_EQ(FileText(Directory() / "graph.svg.~1"), "someone else's");
    EXPECT_EQ(EntryCount(), 2);
}

TEST_F(SvgCanvasTest, WriteFileFailsWhereNoFileCanBeAndLeavesNothing) {
    const fs::path plainFile = Directory() / "plain";
    std::ofstream(plainFile) << "x";
    EXPECT_FALSE(poCanvas->WriteFile((plainFile / "graph.svg").c_str()));
    EXPECT_FALSE(poCanvas->WriteFile((Directory() / "missing" / "graph.svg").c_str()));
    // The target is a directory: the temporary file is written, the rename
    // fails, and the temporary file goes again.
    fs::create_directory(Directory() / "graph.svg");
    EXPECT_FALSE(poCanvas->WriteFile((Directory() / "graph.svg").c_str()));
    EXPECT_TRUE(fs::is_directory(Directory() / "graph.svg"));
    EXPECT_EQ(EntryCount(), 2);
    EXPECT_EQ(FileText(plainFile), "x");
}

} // namespace
