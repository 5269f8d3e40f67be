#include "ui/support/window_test.h"

QString japaneseCatalogue()
{
    return QStringLiteral(VANTREL_SOURCE_DIR "/resources/catalogue/vantrel.MSG");
}

QString englishCatalogue()
{
    return QStringLiteral(VANTREL_SOURCE_DIR "/lang/en/vantrel.MSG");
}

WindowTest::WindowTest()
{
    EXPECT_TRUE(folder_.isValid());
}

void WindowTest::useCatalogue(const QString& shipped) const
{
    QFile source(shipped);
    ASSERT_TRUE(source.open(QIODevice::ReadOnly)) << shipped.toStdString();
    writeCatalogue(source.readAll());
}

void WindowTest::writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray WindowTest::settingsText() const
{
    QFile file(settingsPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TForm1& WindowTest::open(std::optional<QString> settingsFile)
{
    window_.reset();
    auto dialogs = std::make_unique<ScriptedDialogs>();
    dialogs_ = dialogs.get();
    const vantrel::AppPaths paths{settingsFile.value_or(settingsPath()),
                                  cataloguePath(),
                                  folderPath(),
                                  defaultSettingsPath(),
                                  QString(),
                                  recoveryFolder};
    window_ = std::make_unique<TForm1>(paths, std::move(dialogs));
    return *window_;
}
