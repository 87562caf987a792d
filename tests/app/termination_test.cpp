#include "tests/support/processwatch.h"

#include <QFile>
#include <QTemporaryDir>

TEST(Termination, SigtermWritesTheSettingsAndExitsCleanly)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString program = folder.filePath(QStringLiteral("kadrelle"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(KADRELLE_EXECUTABLE), program));
    QFile settings(folder.filePath(QStringLiteral("Kadrelle.ini")));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write(
        "[Kadrelle]\nDATAFILE=/pics/wall[00004].bmp\nSCREENSELECT=Option2\nFIXSIZE=0\nVALWIDTH= 0300 \n");
    settings.close();

    CloseWithSigterm(*StartWindowProgram(program));

    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    EXPECT_EQ(settings.readAll().replace("\r\n", "\n").trimmed(),
              QByteArray("[Kadrelle]\nDATAFILE=/pics/wall[00004].bmp\nSCREENSELECT=Option2\nFIXSIZE=0\n"
                         "VALWIDTH=300\nVALHEIGHT=400"));
}
