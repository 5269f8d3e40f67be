#include "ui/support/window_test.h"

#include "core/imaging/mono_conversion.h"
#include "ui/frames/bitmap_view.h"

#include <QComboBox>
#include <QSlider>

namespace {

class Backlight : public WindowTest
{
protected:
    void SetUp() override { useCatalogue(japaneseCatalogue()); }

    static QImage grey(int value)
    {
        QImage image(40, 12, QImage::Format_RGB888);
        image.fill(QColor(value, value, value));
        return image;
    }

    void setBars(int red, int green, int blue)
    {
        control<QSlider>("tbRed")->setValue(red);
        control<QSlider>("tbGreen")->setValue(green);
        control<QSlider>("tbBlue")->setValue(blue);
    }

    static QList<QRgb> palette(const BitmapView* view) { return view->image().colorTable().mid(0, 4); }

    static QList<QRgb> expectedPalette(const vantrel::BacklightLevels& levels, std::uint8_t code)
    {
        QList<QRgb> colours;
        for (vantrel::ColorRef entry : vantrel::panelPalette(levels, code))
            colours << vantrel::toQRgb(entry);
        return colours;
    }
};

} // namespace

TEST_F(Backlight, BarsSetTheCodeAndRetintTheMonoViews)
{
    TForm1& form = open();
    const QImage mono = vantrel::MakeMono(grey(128), 2);
    for (const char* name : {"LeadMono", "LeadFont", "LeadEfMono"})
        control<BitmapView>(name)->setImage(mono);

    setBars(3, 0, 0);
    EXPECT_EQ(form.panelColorCode(), 48);
    for (const char* name : {"LeadMono", "LeadFont", "LeadEfMono"}) {
        const BitmapView* view = control<BitmapView>(name);
        EXPECT_EQ(palette(view),
                  (QList<QRgb>{qRgb(0, 0, 0), qRgb(85, 0, 0), qRgb(170, 0, 0), qRgb(255, 0, 0)}))
            << name;
        // Tinting never touches a pixel.
        EXPECT_EQ(view->image().pixelIndex(5, 5), 2) << name;
    }
    setBars(1, 2, 3);
    EXPECT_EQ(form.panelColorCode(), 16 + 8 + 3);
}

TEST_F(Backlight, LevelTablesFromTheSettingsShapeTheTint)
{
    writeSettings("[Red]\nColors=2\n0=30\n1=90\n");
    TForm1& form = open();
    control<BitmapView>("LeadMono")->setImage(vantrel::MakeMono(grey(255), 2));
    setBars(1, 0, 0);
    EXPECT_EQ(palette(control<BitmapView>("LeadMono")), expectedPalette(form.settings().levels, 16));
    EXPECT_EQ(palette(control<BitmapView>("LeadMono")).at(3), qRgb(90, 0, 0));
    // Red position 3 was never read from the file: no red light at all.
    setBars(3, 0, 0);
    EXPECT_EQ(palette(control<BitmapView>("LeadMono")).at(3), qRgb(0, 0, 0));
}

TEST_F(Backlight, SettingBarsFromACodeKeepsTheCode)
{
    TForm1& form = open();
    control<BitmapView>("LeadMono")->setImage(vantrel::MakeMono(grey(128), 2));
    const QList<QRgb> before = palette(control<BitmapView>("LeadMono"));

    form.SetColorBarsFromCode(42);
    EXPECT_EQ(control<QSlider>("tbRed")->value(), 2);
    EXPECT_EQ(control<QSlider>("tbGreen")->value(), 2);
    EXPECT_EQ(control<QSlider>("tbBlue")->value(), 2);
    EXPECT_EQ(form.panelColorCode(), 63);
    EXPECT_EQ(palette(control<BitmapView>("LeadMono")), before);

    form.SetColorBarsFromCode(0xFF);
    EXPECT_EQ(control<QSlider>("tbRed")->value(), 3);
    // The lock is released afterwards: a user's move counts again.
    control<QSlider>("tbBlue")->setValue(0);
    EXPECT_EQ(form.panelColorCode(), 60);
}

TEST_F(Backlight, DitherChangeRemakesTheMonoEffectPreview)
{
    TForm1& form = open();
    setBars(0, 3, 0);
    control<BitmapView>("LeadEfColor")->setImage(grey(128));
    control<QComboBox>("cbDither")->setCurrentIndex(2);

    const QImage& mono = control<BitmapView>("LeadEfMono")->image();
    ASSERT_EQ(mono.format(), QImage::Format_Indexed8);
    ASSERT_EQ(mono.size(), QSize(40, 12));
    for (int y = 0; y < mono.height(); ++y) {
        for (int x = 0; x < mono.width(); ++x)
            ASSERT_EQ(mono.pixelIndex(x, y), 2) << x << "," << y;
    }
    EXPECT_EQ(palette(control<BitmapView>("LeadEfMono")), expectedPalette(form.settings().levels, 12));
}

TEST_F(Backlight, DitherChangeWithoutAPreviewDoesNothing)
{
    open();
    control<BitmapView>("LeadEfColor")->clear();
    const QImage before = control<BitmapView>("LeadEfMono")->image();
    control<QComboBox>("cbDither")->setCurrentIndex(3);
    EXPECT_EQ(control<BitmapView>("LeadEfMono")->image(), before);
}
