// Number texts under a locale whose decimal separator is a comma: the
// window's toolkit sets the C library's locale from the environment, and the
// language wants "." all the same.

#include "ui/csvgcanvas.h"
#include "ui/plotscene.h"
#include "windowinterfacetest.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

constexpr const char* COMMA_LOCALE = "de_DE.UTF-8";

// Makes the comma locale current for LC_NUMERIC: installed, or generated
// for this process when localedef is at hand. False when neither works.
bool UseCommaLocale() {
    if (std::setlocale(LC_NUMERIC, COMMA_LOCALE)) {
        return true;
    }
    const std::string directory = ::testing::TempDir() + "ostrel-locales";
    std::filesystem::create_directories(directory);
    const std::string command =
        "localedef -i de_DE -f UTF-8 " + directory + "/" + COMMA_LOCALE + " >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) {
        return false;
    }
    setenv("LOCPATH", directory.c_str(), 1);
    return std::setlocale(LC_NUMERIC, COMMA_LOCALE) != nullptr;
}

class CommaLocaleTest : public WindowInterfaceFixture {
protected:
    void SetUp() override {
        if (!UseCommaLocale()) {
            GTEST_SKIP() << COMMA_LOCALE << " is not installed and cannot be generated; "
                         << "scripts/install-deps.sh installs it";
        }
        // The C library writes the comma now, so the texts below prove
        // something.
        char pch[8];
        std::snprintf(pch, sizeof pch, "%.1f", 2.5);
        ASSERT_STREQ(pch, "2,5");
        WindowInterfaceFixture::SetUp();
    }
    void TearDown() override {
        std::setlocale(LC_NUMERIC, "C");
        WindowInterfaceFixture::TearDown();
    }

    std::string Printed(Extended value) {
        window.output.clear();
        poUI->PrintNumber(value);
        return window.output;
    }
};

TEST_F(CommaLocaleTest, PrintNumberWritesAPointInEveryFormat) {
    EXPECT_EQ(Printed(12.375L), "12.375");
    EXPECT_EQ(Printed(1.5e-7L), "1.5E-7");
    poUI->SetNumberFormat(NF_FIXED);
    EXPECT_EQ(Printed(12.375L), "12.38");
    EXPECT_EQ(Printed(-0.5L), "-0.50");
    poUI->SetNumberFormat(NF_SCIENTIFIC);
    const std::string scientific = Printed(12.375L);
    EXPECT_EQ(scientific.rfind("1.2375", 0), 0U) << scientific;
    EXPECT_EQ(scientific.find(','), std::string::npos) << scientific;
}

// The labels' digits are chosen by reading the labels back: a comma locale
// must not read "2.05" as 2.
TEST_F(CommaLocaleTest, LabelDigitsReadTheLabelsWithPoints) {
    EXPECT_EQ(ChooseLabelDigits({0.05L, 2}, 2.3L, false), 3);
    EXPECT_EQ(ChooseLabelDigits({0.2L, -1}, 1, true), 2);
}

TEST_F(CommaLocaleTest, SvgCoordinatesUsePoints) {
    auto* poCanvas = new CSvgCanvas(100, 50);
    poCanvas->SetCanvasPen(0, 1);
    poCanvas->CanvasMoveTo(0, 0);
    poCanvas->CanvasLineTo(10, 3);
    const std::string document = poCanvas->GetDocument();
    delete poCanvas;
    EXPECT_NE(document.find("points=\"0.5,0.5 10.5,3.5\""), std::string::npos) << document;
}

} // namespace
