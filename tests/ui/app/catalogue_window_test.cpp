#include "ui/support/window_test.h"

#include "core/app/catalogue.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QTabWidget>

namespace {

class CatalogueWindow : public WindowTest
{
};

// Every caption, hint and list item the window shows, in a fixed order.
QStringList interfaceTexts(TForm1& form)
{
    QStringList texts;
    auto* pages = form.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    for (int i = 0; i < pages->count(); ++i)
        texts << pages->tabText(i);
    for (QWidget* widget : form.findChildren<QWidget*>()) {
        texts << widget->objectName() + QLatin1Char('?') + widget->toolTip();
        if (auto* label = qobject_cast<QLabel*>(widget))
            texts << label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            texts << button->text();
        if (auto* list = qobject_cast<QComboBox*>(widget)) {
            for (int i = 0; i < list->count(); ++i)
                texts << list->itemText(i);
        }
    }
    return texts;
}

QString captionOf(TForm1& form, const QString& name)
{
    auto* pages = form.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    QWidget* control = form.findChild<QWidget*>(name);
    if (!control)
        return QStringLiteral("<missing>");
    if (const int tab = pages->indexOf(control); tab >= 0)
        return pages->tabText(tab);
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->text();
    return QStringLiteral("<no caption>");
}

} // namespace

TEST_F(CatalogueWindow, ShippedCataloguesFillEveryCaptionHintAndList)
{
    for (const QString& shipped : {japaneseCatalogue(), englishCatalogue()}) {
        SCOPED_TRACE(shipped.toStdString());
        useCatalogue(shipped);
        TForm1& form = open();
        for (const QString& key : vantrel::Catalogue::captionKeys()) {
            const QString caption = captionOf(form, key);
            EXPECT_FALSE(caption.isEmpty() || caption.startsWith(QLatin1Char('<'))) << key.toStdString();
        }
        for (const QString& key : vantrel::Catalogue::hintKeys()) {
            QWidget* control = form.findChild<QWidget*>(key);
            ASSERT_NE(control, nullptr) << key.toStdString();
            EXPECT_FALSE(control->toolTip().isEmpty()) << key.toStdString();
        }
        const std::pair<const char*, int> lists[] = {{"cbEffect", 7}, {"cbDither", 5},  {"cbCutK", 8},
                                                     {"cbFColor", 4}, {"cbFEffect", 5}, {"cbFontB", 4},
                                                     {"cbScale", 5}};
        for (const auto& [name, count] : lists)
            EXPECT_EQ(control<QComboBox>(name)->count(), count) << name;
        EXPECT_EQ(form.inputZoomPercent(), 100);
        EXPECT_FALSE(form.pictureDialogTexts().title.isEmpty());
        EXPECT_FALSE(form.pictureDialogTexts().accept.isEmpty());
        // Texts the catalogue does not own keep the form's own.
        EXPECT_EQ(control<QLabel>("Label20")->text(), QStringLiteral("%"));
        EXPECT_FALSE(control<QWidget>("sbDesideEf")->toolTip().isEmpty());
    }
}

TEST_F(CatalogueWindow, MissingCatalogueLeavesEverythingEmpty)
{
    TForm1& form = open();
    for (const QString& key : vantrel::Catalogue::captionKeys())
        EXPECT_TRUE(captionOf(form, key).isEmpty()) << key.toStdString();
    for (const QString& key : vantrel::Catalogue::hintKeys())
        EXPECT_TRUE(form.findChild<QWidget*>(key)->toolTip().isEmpty()) << key.toStdString();
    EXPECT_EQ(control<QComboBox>("cbScale")->count(), 0);
    EXPECT_EQ(form.catalogue().defaultFont, QStringLiteral("FixedSys"));
    // No Scale items: the zoom still works out.
    EXPECT_EQ(form.inputZoomPercent(), 100);
    form.ShowError(3);
    ASSERT_EQ(dialogs().messages.size(), 1u);
    EXPECT_TRUE(dialogs().messages.front().text.isEmpty());
}

TEST_F(CatalogueWindow, ErrorBoxPicksItsText)
{
    QByteArray errors = "[Errors]\nItems=12\n";
    for (int i = 0; i < 12; ++i)
        errors += QByteArray::number(i) + "=E" + QByteArray::number(i) + "\n";
    writeCatalogue(errors);
    TForm1& form = open();
    EXPECT_EQ(form.catalogue().errorTexts[9], QStringLiteral("E9"));

    for (int code : {-5, 0, 7, 8, 12})
        form.ShowError(code);
    ASSERT_EQ(dialogs().messages.size(), 5u);
    const QString expected[] = {QStringLiteral("E0"), QStringLiteral("E0"), QStringLiteral("E7"),
                                QStringLiteral("Error:8"), QStringLiteral("Error:12")};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(dialogs().messages[i].text, expected[i]);
        EXPECT_EQ(dialogs().messages[i].caption, QStringLiteral("Error"));
        EXPECT_EQ(dialogs().messages[i].icon, MessageIcon::Warning);
    }
}

TEST_F(CatalogueWindow, ScaleItemsWithAGapAndNoNumber)
{
    writeCatalogue("[Scale]\nItems=3\n0=50\n2=abc\n");
    TForm1& form = open();
    auto* scale = control<QComboBox>("cbScale");
    ASSERT_EQ(scale->count(), 3);
    EXPECT_EQ(scale->itemText(0), QStringLiteral("50"));
    EXPECT_TRUE(scale->itemText(1).isEmpty());
    // Item 2 is preselected and is no percentage.
    EXPECT_EQ(scale->currentIndex(), 2);
    EXPECT_EQ(form.inputZoomPercent(), 100);
    scale->setCurrentIndex(1);
    EXPECT_EQ(form.inputZoomPercent(), 100);
    scale->setCurrentIndex(0);
    EXPECT_EQ(form.inputZoomPercent(), 50);
}

TEST_F(CatalogueWindow, EmptyCaptionEqualsMissingCaption)
{
    writeCatalogue("[Caption]\nTabSheet2=\nLabel10=\nckLink=\nTabSheet1=In\n");
    TForm1& form = open();
    EXPECT_TRUE(captionOf(form, QStringLiteral("TabSheet2")).isEmpty());
    EXPECT_TRUE(captionOf(form, QStringLiteral("Label10")).isEmpty());
    EXPECT_TRUE(captionOf(form, QStringLiteral("ckLink")).isEmpty());
    EXPECT_EQ(captionOf(form, QStringLiteral("TabSheet1")), QStringLiteral("In"));
}

TEST_F(CatalogueWindow, SectionNamesMatchWithoutRegardToCase)
{
    useCatalogue(englishCatalogue());
    const QStringList original = interfaceTexts(open());

    QFile file(cataloguePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray text = file.readAll();
    file.close();
    for (const char* section : {"[Caption]", "[Hint]", "[Effect]", "[Scale]", "[DialogMessage]", "[Errors]"})
        text.replace(section, QByteArray(section).toUpper());
    writeCatalogue(text);
    const QStringList shouted = interfaceTexts(open());

    EXPECT_EQ(original, shouted);
    EXPECT_TRUE(original.contains(QStringLiteral("Effects")));
}
