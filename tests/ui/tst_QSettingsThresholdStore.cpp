// SPDX-License-Identifier: GPL-3.0-or-later
#include <memory>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "matrix/BandThresholds.h"
#include "ui/settings/QSettingsThresholdStore.h"
#include "ui/settings/UserSettings.h"

using wendrix::BandThresholds;
using wendrix::QSettingsThresholdStore;

class TestQSettingsThresholdStore : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_directory;

    QString SettingsPath() const { return m_directory->filePath(QStringLiteral("Wendrix.ini")); }
    std::unique_ptr<QSettings> OpenSettings() const
    {
        return std::make_unique<QSettings>(SettingsPath(), QSettings::IniFormat);
    }
    static QString Key() { return QLatin1String(QSettingsThresholdStore::kKey); }

private slots:
    void init()
    {
        m_directory = std::make_unique<QTemporaryDir>();
        QVERIFY(m_directory->isValid());
    }

    void missingValueGivesTheDefaults()
    {
        auto settings = OpenSettings();
        const QSettingsThresholdStore store(*settings);
        QCOMPARE(store.Read(), BandThresholds{});
    }

    void malformedValueGivesTheDefaults_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::newRow("35 bytes") << QVariant(QByteArray(35, '\x01'));
        QTest::newRow("37 bytes") << QVariant(QByteArray(37, '\x01'));
        QTest::newRow("empty") << QVariant(QByteArray());
        QTest::newRow("text of 36 characters") << QVariant(QString(36, QLatin1Char('1')));
        QTest::newRow("number") << QVariant(150);
    }

    void malformedValueGivesTheDefaults()
    {
        QFETCH(QVariant, value);
        {
            auto writer = OpenSettings();
            writer->setValue(Key(), value);
        }
        auto settings = OpenSettings();
        const QSettingsThresholdStore store(*settings);
        QCOMPARE(store.Read(), BandThresholds{});
    }

    void hexEditedTextInTheFileGivesTheDefaults()
    {
        QFile file(SettingsPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            "[General]\nBandThresholds=4b004b004b004b004b004b004b004b004b004b004b004b004b004b"
            "004b004b004b004b00\n");
        file.close();
        auto settings = OpenSettings();
        QCOMPARE(QSettingsThresholdStore(*settings).Read(), BandThresholds{});
    }

    void writtenThresholdsAreReadBackByAFreshSettingsObject()
    {
        BandThresholds thresholds;
        for (std::size_t b = 0; b < thresholds.minimum.size(); ++b) {
            thresholds.minimum[b] = static_cast<int>(b * 16 + 1);
        }
        thresholds.minimum[0] = 300;
        thresholds.minimum[12] = 0x012C;  // a band the window cannot edit keeps its value
        {
            auto settings = OpenSettings();
            QSettingsThresholdStore(*settings).Write(thresholds);
        }
        auto settings = OpenSettings();
        QCOMPARE(QSettingsThresholdStore(*settings).Read(), thresholds);
        // Stored as 36 little-endian bytes under the one key.
        const QByteArray raw = settings->value(Key()).toByteArray();
        QCOMPARE(raw.size(), 36);
        QCOMPARE(static_cast<unsigned char>(raw[0]), 0x2Cu);
        QCOMPARE(static_cast<unsigned char>(raw[1]), 0x01u);
    }

    void failedWriteIsSilentAndLeavesNothingStored()
    {
        // The settings "file" is a directory: nothing can be stored.
        QVERIFY(QDir(m_directory->path()).mkdir(QStringLiteral("Wendrix.ini")));
        auto settings = OpenSettings();
        QSettingsThresholdStore store(*settings);
        BandThresholds thresholds;
        thresholds.minimum[4] = 7;
        store.Write(thresholds);
        QCOMPARE(settings->status(), QSettings::AccessError);
        QVERIFY(QFileInfo(SettingsPath()).isDir());
    }

    void userSettingsArePerUserIniWithTheClubNames()
    {
        QStandardPaths::setTestModeEnabled(true);
        const auto settings = wendrix::OpenUserSettings();
        QCOMPARE(settings->format(), QSettings::IniFormat);
        QCOMPARE(settings->scope(), QSettings::UserScope);
        QCOMPARE(settings->organizationName(), QStringLiteral("QX0VRN"));
        QCOMPARE(settings->applicationName(), QStringLiteral("Wendrix"));
#ifdef Q_OS_WIN
        // The user's roaming application data, which the test mode of the standard paths does not
        // redirect on Windows.
        QVERIFY2(settings->fileName().endsWith(QStringLiteral("/QX0VRN/Wendrix.ini"),
                                               Qt::CaseInsensitive),
                 qPrintable(settings->fileName()));
        QVERIFY(QDir::isAbsolutePath(settings->fileName()));
#else
        QVERIFY(settings->fileName().startsWith(
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)));
#endif
    }
};

QTEST_GUILESS_MAIN(TestQSettingsThresholdStore)
#include "tst_QSettingsThresholdStore.moc"
