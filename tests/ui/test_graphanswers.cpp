#include "windowinterfacetest.h"

#include "statements/cplotscene.h"
#include "ui/cgraphpicture.h"
#include "ui/csvgcanvas.h"

#include <cmath>
#include <string>

namespace {

constexpr Extended PI_L = 3.141592653589793238462643383279502884L;

// Questions about SIN and COS on 0 to 6.5, on a pane 600 pixels wide.
class GraphAnswerTest : public WindowInterfaceFixture {
protected:
    void SetUp() override {
        WindowInterfaceFixture::SetUp();
        window.nGraphWidth = 600;
        window.nGraphHeight = 300;
        ASSERT_TRUE(poUI->ExecuteLine("PLOTXY 0,6.5,SIN,COS"));
        window.output.clear();
    }

    // The answer's mark, or a failure with the message.
    CPlotScene::SMark Answer(EGraphQuestion kind, Extended x, int iOther = 1, Extended x2 = 0) {
        char pchMessage[160];
        const std::size_t nBefore = Marks().size();
        EXPECT_TRUE(poUI->AnswerGraphQuestion({kind, 0, iOther, x, x2}, pchMessage)) << pchMessage;
        EXPECT_EQ(Marks().size(), nBefore + 1);
        return Marks().empty() ? CPlotScene::SMark{} : Marks().back();
    }
    const std::vector<CPlotScene::SMark>& Marks() const {
        return poUI->GetGraphPicture().GetScene()->GetMarks();
    }
};

// Zeros and crossings to the last digits the numbers hold; an extremum's x
// to about half of them, where the function is flat.
TEST_F(GraphAnswerTest, TheSearchesNearThePointerFindTheClosedForms) {
    EXPECT_NEAR(static_cast<double>((Answer(GQ_ZERO, 3).x - PI_L) * 1e17L), 0, 0.05);
    EXPECT_EQ(window.output, "Zero of SIN at X = 3.14159265358979324\r\n");
    EXPECT_NEAR(static_cast<double>((Answer(GQ_ZERO, 6).x - 2 * PI_L) * 1e17L), 0, 0.1);
    const CPlotScene::SMark maximum = Answer(GQ_MAXIMUM, 1);
    EXPECT_NEAR(static_cast<double>(maximum.x - PI_L / 2), 0, 1e-8);
    EXPECT_NEAR(static_cast<double>((maximum.y - 1) * 1e17L), 0, 0.05);
    const CPlotScene::SMark minimum = Answer(GQ_MINIMUM, 4);
    EXPECT_NEAR(static_cast<double>(minimum.x - 3 * PI_L / 2), 0, 1e-8);
    EXPECT_NEAR(static_cast<double>((minimum.y + 1) * 1e17L), 0, 0.05);
    const CPlotScene::SMark crossing = Answer(GQ_INTERSECTION, 1);
    EXPECT_NEAR(static_cast<double>((crossing.x - PI_L / 4) * 1e17L), 0, 0.05);
    EXPECT_NEAR(static_cast<double>((crossing.y - std::sqrt(0.5L)) * 1e17L), 0, 0.05);
    EXPECT_NEAR(static_cast<double>((Answer(GQ_INTERSECTION, 4).x - 5 * PI_L / 4) * 1e17L), 0, 0.1);
    EXPECT_EQ(Answer(GQ_VALUE, 1).y, std::sin(1.0L));
    const CPlotScene::SMark area = Answer(GQ_AREA, PI_L, 1, 0);
    EXPECT_EQ(area.x, 0);
    EXPECT_EQ(area.x2, PI_L);
    EXPECT_NEAR(static_cast<double>((area.y - 2) * 1e17L), 0, 0.5);
    EXPECT_NE(window.output.find("Maximum of SIN at X = 1.5707963"), std::string::npos);
    EXPECT_NE(window.output.find(" : Y = 1\r\n"), std::string::npos);
    // PI/4 = 0.78539816339744830962: the crossing is found to the 18th digit.
    EXPECT_NE(window.output.find("Intersection of SIN and COS at X = 0.78539816339744830"),
              std::string::npos)
        << window.output;
    EXPECT_NE(window.output.find(" : Y = 0.707106781186547524\r\n"), std::string::npos);
    EXPECT_NE(window.output.find("Area under SIN from X = 0 to X = 3.14159265358979324 : 2\r\n"),
              std::string::npos)
        << window.output;
}

TEST_F(GraphAnswerTest, NothingNearHereChangesNothing) {
    ASSERT_TRUE(poUI->ExecuteLine("PLOTXY 0,1,EXP,SIN"));
    window.output.clear();
    window.TakeCanvas();
    const unsigned nRevision = poUI->GetGraphPicture().GetRevision();
    char pchMessage[160];
    EXPECT_FALSE(poUI->AnswerGraphQuestion({GQ_ZERO, 0, 0, 0.5L, 0}, pchMessage));
    EXPECT_STREQ(pchMessage, "No zero of EXP in view.");
    EXPECT_FALSE(poUI->AnswerGraphQuestion({GQ_MAXIMUM, 0, 0, 0.5L, 0}, pchMessage));
    EXPECT_STREQ(pchMessage, "No maximum of EXP in view.");
    EXPECT_FALSE(poUI->AnswerGraphQuestion({GQ_INTERSECTION, 0, 1, 0.5L, 0}, pchMessage));
    EXPECT_STREQ(pchMessage, "EXP and SIN do not cross in view.");
    EXPECT_FALSE(poUI->AnswerGraphQuestion({GQ_AREA, 0, 0, 0.5L, 0.5L}, pchMessage));
    EXPECT_FALSE(poUI->AnswerGraphQuestion({GQ_VALUE, 0, 0, 100000, 0}, pchMessage));
    EXPECT_STREQ(pchMessage, "EXP cannot be evaluated there.");
    EXPECT_EQ(window.output, "");
    EXPECT_EQ(window.TakeCanvas(), "");
    EXPECT_EQ(poUI->GetGraphPicture().GetRevision(), nRevision);
    EXPECT_TRUE(Marks().empty());
}

// The marks belong to the picture: drawn at every size and in every view,
// written into the SVG, and gone with the next plot.
TEST_F(GraphAnswerTest, MarksStayWithThePictureUntilTheNextPlot) {
    Answer(GQ_ZERO, 3);
    Answer(GQ_AREA, 0, 1, 1);
    EXPECT_NE(window.TakeCanvas().find("text"), std::string::npos);
    window.nGraphWidth = 900;
    poUI->RedrawGraph();
    poUI->ZoomGraph(450, 150, 0.5, 0.5);
    const std::string zoomed = window.TakeCanvas();
    EXPECT_NE(zoomed.find(" 3.1416\n"), std::string::npos) << "the zero's label";
    EXPECT_NE(zoomed.find(" Area = 0.4597\n"), std::string::npos);
    ASSERT_EQ(Marks().size(), 2U);
    auto* poCanvas = new CSvgCanvas(400, 200);
    poUI->RenderGraph(poCanvas);
    const std::string svg = poCanvas->GetDocument();
    delete poCanvas;
    EXPECT_NE(svg.find(">3.1416</text>"), std::string::npos);
    ASSERT_TRUE(poUI->ExecuteLine("PLOTXY 0,1,SIN"));
    EXPECT_TRUE(Marks().empty());
}

// An expression's answers name it as written.
TEST_F(GraphAnswerTest, AnExpressionsAnswerNamesIt) {
    ASSERT_TRUE(poUI->ExecuteLine("PLOTXY 0,3,X^2-2"));
    window.output.clear();
    Answer(GQ_ZERO, 1);
    EXPECT_EQ(window.output, "Zero of X^2-2 at X = 1.41421356237309505\r\n");
}

} // namespace
