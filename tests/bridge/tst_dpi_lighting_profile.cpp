// SPDX-License-Identifier: GPL-3.0-or-later
// DPI stages, the active stage, the lift-off setting, keyboard options, lighting and profile blocks on
// the wire: every sensor on both families with and without gun keys, the lighting examples of both kinds
// of mice, the colour order, and the profile uploads and downloads.

#include "bridge_fixture.h"
#include "message_capture.h"
#include "notice_boxes.h"

#include <QTest>

using vmouse::Family;

Q_DECLARE_METATYPE(vmouse::Family)

namespace {

QVariantList numbers(std::initializer_list<int> values)
{
    QVariantList list;
    for (int v : values)
        list.append(v);
    return list;
}

void fillBlocks(myQQuickView &view, uchar value)
{
    for (auto &b : view.profileBlocks)
        std::fill(std::begin(b), std::end(b), value);
}

QByteArray block(const myQQuickView &view, int n)
{
    return QByteArray(reinterpret_cast<const char *>(view.profileBlocks[n]), 128);
}

QByteArray profileHead(int n)
{
    return "0c 0" + QByteArray::number(n) + " 80 00 00 00 00";
}

}  // namespace

class TestDpiLightingProfile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { hid_init(); }

    // One row per sensor: the stage count, eight values, their stage bytes and the bit-8 mask.
    void dpiStages_data()
    {
        QTest::addColumn<QString>("sensor");
        QTest::addColumn<int>("count");
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<QByteArray>("codes");
        QTest::addColumn<int>("highBits");
        QTest::addColumn<Family>("family");
        QTest::addColumn<bool>("gun");
        struct Row
        {
            const char *sensor;
            int count;
            QVariantList values;
            QByteArray codes;
            int highBits;
        };
        const Row rows[] = {
            {"3360", 4, numbers({400, 800, 1600, 3200, 5000, 6000, 7000, 8000}), bytes({3, 7, 15, 31, 49, 59, 69, 79}), 0},
            {"3050", 8, numbers({800, 4500, 250, 2500, 4000, 1000, 1500, 2000}),
             bytes({0x04, 0x00, 0x01, 0x45, 0x48, 0x04, 0x06, 0x08}), 0},
            {"3389", 3, numbers({800, 6000, 16000, 12800, 400, 1000, 12799, 100}),
             bytes({16, 120, 0x40, 0x00, 8, 20, 255, 2}), 0x0C},
            {"3327", 8, numbers({400, 800, 1200, 1600, 2000, 2400, 2800, 3200}),
             bytes({8, 16, 24, 32, 40, 48, 56, 64}), 0},
            {"4090", 5, numbers({800, 5000, 5001, 6000, 400, 1000, 1500, 2000}),
             bytes({7, 49, 0x59, 0x5E, 3, 9, 14, 19}), 0},
        };
        for (const Row &r : rows) {
            for (auto [family, gun, name] : {std::tuple{Family::F553, false, "553"}, std::tuple{Family::F560, false, "560"},
                                             std::tuple{Family::F560, true, "560 gun"}})
                QTest::addRow("%s %s", r.sensor, name) << QString::fromLatin1(r.sensor) << r.count << r.values
                                                      << r.codes << r.highBits << family << gun;
        }
        QTest::newRow("3360 as text values 553") << QStringLiteral("3360") << 2
                                                 << QVariantList{QStringLiteral("800"), QStringLiteral("400"), 100, 200, 300, 400, 500, 600}
                                                 << bytes({7, 3, 0, 1, 2, 3, 4, 5}) << 0 << Family::F553 << false;
    }
    void dpiStages()
    {
        QFETCH(QString, sensor);
        QFETCH(int, count);
        QFETCH(QVariantList, values);
        QFETCH(QByteArray, codes);
        QFETCH(int, highBits);
        QFETCH(Family, family);
        QFETCH(bool, gun);
        BridgeFixture f(family, {.gun = gun});
        fillBlocks(f.view(), 0xEE);
        f.view().mouseSetDpi(count, sensor, values);
        const auto sent = f.commands();

        if (family == Family::F553) {
            // Stages from the count on are disabled (0x80); the bit-8 mask has no place in this family.
            QByteArray table = codes;
            for (int i = count; i < 8; ++i)
                table[i] = char(0x80);
            QCOMPARE(sent.size(), size_t(1));
            QCOMPARE(sent[0].head(), "11 0" + QByteArray::number(count) + " 08 00 00 00 00");
            QCOMPARE(hex(sent[0].payload), hex(table));
            return;
        }
        QByteArray expected(128, char(0xEE));
        expected.replace(84, 8, codes);
        expected.replace(92, 8, codes);
        expected[100] = char((1 << count) - 1);
        if (sensor == QLatin1String("3389")) {
            expected[82] = char(highBits);
            expected[83] = char(highBits);
        }
        QCOMPARE(sent.size(), size_t(gun ? 4 : 1));
        for (int n = 1; n <= int(sent.size()); ++n) {
            QCOMPARE(sent[size_t(n - 1)].head(), profileHead(n));
            QCOMPARE(hex(sent[size_t(n - 1)].payload), hex(expected));
        }
        // Blocks 2 to 4 change in memory even when only block 1 is sent; block 0 does not.
        for (int n = 1; n <= 4; ++n)
            QCOMPARE(hex(block(f.view(), n)), hex(expected));
        QCOMPARE(hex(block(f.view(), 0)), hex(QByteArray(128, char(0xEE))));
    }

    void dpiValuesNotEightAreRefused_data()
    {
        QTest::addColumn<Family>("family");
        QTest::addColumn<int>("size");
        QTest::newRow("553 seven") << Family::F553 << 7;
        QTest::newRow("560 nine") << Family::F560 << 9;
        QTest::newRow("560 none") << Family::F560 << 0;
    }
    void dpiValuesNotEightAreRefused()
    {
        QFETCH(Family, family);
        QFETCH(int, size);
        BridgeFixture f(family);
        MessageCapture messages;
        f.view().mouseSetDpi(4, QStringLiteral("3360"), QVariantList(size, 800));
        QVERIFY(f.commands().empty());
        QCOMPARE(block(f.view(), 1), QByteArray(128, 0));
        QVERIFY(messages.contains(QStringLiteral("mouseSetDpi refused: %1 DPI values instead of 8").arg(size)));
    }

    void currentStage_data()
    {
        QTest::addColumn<Family>("family");
        QTest::addColumn<bool>("gun");
        QTest::addColumn<QList<QByteArray>>("heads");
        QTest::newRow("553") << Family::F553 << false << QList<QByteArray>{"0b 03 00 00 00 00 00"};
        QTest::newRow("560 gun") << Family::F560 << true << QList<QByteArray>{"04 01 03 00 00 00 00"};
        QTest::newRow("560") << Family::F560 << false
                             << QList<QByteArray>{"04 01 03 00 00 00 00", "04 02 03 00 00 00 00", "04 03 03 00 00 00 00",
                                                  "04 04 03 00 00 00 00"};
    }
    void currentStage()
    {
        QFETCH(Family, family);
        QFETCH(bool, gun);
        QFETCH(QList<QByteArray>, heads);
        BridgeFixture f(family, {.gun = gun});
        f.view().mouseSetCurrentDPI(3);
        QCOMPARE(f.heads(), heads);
        f.clear();
        QCOMPARE(f.view().mouseGetCurrentDPI(), QVariant(3));
        QCOMPARE(f.heads(), QList<QByteArray>{family == Family::F553 ? "8b 00 00 00 00 00 00" : "84 01 00 00 00 00 00"});
    }

    // A device that does not answer gives stage 0 and option bytes 0.
    void readsOfASilentDevice()
    {
        for (Family family : {Family::F553, Family::F560}) {
            BridgeFixture f(family);
            vmouse::DeviceState s = f.state();
            s.currentDpiStage = 4;
            s.currentProfile = 3;
            s.options553 = {1, 2, 3, 4};
            vmouse::setState(f.device, s);
            vmouse::injectFault(vmouse::Fn::GetFeature, 1);
            vmouse::injectFault(vmouse::Fn::GetFeature, 2);
            vmouse::injectFault(vmouse::Fn::GetFeature, 3);
            QCOMPARE(f.view().mouseGetCurrentDPI(), QVariant(0));
            QCOMPARE(f.view().mouseReadCurrentProfile(), QVariant(0));
            QCOMPARE(f.view().GetKeyboardoption(), numbers({0, 0, 0, 0}));
            QCOMPARE(f.view().mouseGetCurrentDPI(), QVariant(4));
            QCOMPARE(f.view().mouseReadCurrentProfile(), QVariant(family == Family::F560 ? 3 : 0));
        }
    }

    // The lift-off setting goes through the 553 command on both families.
    void liftOff_data()
    {
        QTest::addColumn<Family>("family");
        QTest::newRow("553") << Family::F553;
        QTest::newRow("560") << Family::F560;
    }
    void liftOff()
    {
        QFETCH(Family, family);
        BridgeFixture f(family);
        MessageCapture messages;
        f.view().mouseSetReportRate(100, 1);
        QCOMPARE(f.heads(), QList<QByteArray>{"07 00 64 7d 01 00 00"});
        QVERIFY(messages.contains(QStringLiteral("test 100 1")));
    }

    void keyboardOptions()
    {
        BridgeFixture f(Family::F553);
        f.view().mouseSetKeyboardoption(1, 2, 0x80, 4);
        QCOMPARE(f.heads(), QList<QByteArray>{"03 01 02 80 04 00 00"});
        QCOMPARE(f.view().GetKeyboardoption(), numbers({1, 2, 0x80, 4}));
    }

    // Effects of both kinds of mice on the 553 family: one command with mode and two parameters.
    void effect553_data()
    {
        QTest::addColumn<bool>("colourful");
        QTest::addColumn<bool>("is55328");
        QTest::addColumn<int>("effect");
        QTest::addColumn<int>("speed");
        QTest::addColumn<int>("brightness");
        QTest::addColumn<QByteArray>("head");
        QTest::newRow("static, one colour") << false << false << 0 << 0 << 4 << QByteArray("0d 01 0a 02 00 00 00");
        QTest::newRow("breath loop, one colour") << false << false << 4 << 1 << 0 << QByteArray("0d 02 02 02 00 00 00");
        QTest::newRow("breath loop, 55328") << false << true << 4 << 1 << 0 << QByteArray("0d 02 02 03 00 00 00");
        QTest::newRow("neon, 55328") << false << true << 2 << 0 << 0 << QByteArray("0d 03 1e 01 00 00 00");
        QTest::newRow("off, 55328") << false << true << 3 << 2 << 2 << QByteArray("0d 00 00 00 00 00 00");
        QTest::newRow("mode 8, full colour") << true << false << 8 << 2 << 4 << QByteArray("0d 08 ff 0f 00 00 00");
        QTest::newRow("static brightness 0, full colour") << true << false << 0 << 2 << 0 << QByteArray("0d 01 00 00 00 00 00");
        QTest::newRow("unknown mode, full colour") << true << false << 11 << 2 << 4 << QByteArray("0d 00 00 00 00 00 00");
    }
    void effect553()
    {
        QFETCH(bool, colourful);
        QFETCH(bool, is55328);
        QFETCH(int, effect);
        QFETCH(int, speed);
        QFETCH(int, brightness);
        QFETCH(QByteArray, head);
        BridgeFixture f(Family::F553, {.colorful = colourful, .is55328 = is55328});
        f.view().mouseSetRGBEffect(uchar(effect), uchar(speed), uchar(brightness));
        QCOMPARE(f.heads(), QList<QByteArray>{head});
    }

    // On the 560 family the effect goes into blocks 1 to 4; block 1 is sent, blocks 2 to 4 only with gun
    // keys. A one-colour mouse without gun keys marks block 1 with 3 instead of 2.
    void effect560_data()
    {
        QTest::addColumn<bool>("colourful");
        QTest::addColumn<bool>("gun");
        QTest::addColumn<QByteArray>("sentBlock1");   // bytes 71..73 of the blocks as sent
        QTest::addColumn<QByteArray>("otherBlocks");
        QTest::newRow("one colour") << false << false << QByteArray("02 03 03") << QByteArray("02 03 02");
        QTest::newRow("one colour, gun") << false << true << QByteArray("02 03 02") << QByteArray("02 03 02");
        QTest::newRow("full colour") << true << false << QByteArray("05 80 05") << QByteArray("05 80 05");
        QTest::newRow("full colour, gun") << true << true << QByteArray("05 80 05") << QByteArray("05 80 05");
    }
    void effect560()
    {
        QFETCH(bool, colourful);
        QFETCH(bool, gun);
        QFETCH(QByteArray, sentBlock1);
        QFETCH(QByteArray, otherBlocks);
        BridgeFixture f(Family::F560, {.colorful = colourful, .gun = gun});
        fillBlocks(f.view(), 0x33);
        // One colour: breath at speed step 2. Full colour: mode 5, speed step 2, brightness step 2.
        f.view().mouseSetRGBEffect(colourful ? 5 : 1, 2, 2);
        const auto sent = f.commands();
        QCOMPARE(sent.size(), size_t(gun ? 4 : 1));
        for (int n = 1; n <= int(sent.size()); ++n) {
            QCOMPARE(sent[size_t(n - 1)].head(), profileHead(n));
            QCOMPARE(hex(sent[size_t(n - 1)].payload.mid(71, 3)), n == 1 ? sentBlock1 : otherBlocks);
            QByteArray rest = sent[size_t(n - 1)].payload;
            QCOMPARE(rest.remove(71, 3), QByteArray(125, 0x33));
        }
        for (int n = 2; n <= 4; ++n)
            QCOMPARE(hex(block(f.view(), n).mid(71, 3)), otherBlocks);
    }

    // Colours arrive as red, green, blue and travel as blue, green, red.
    void colours553_data()
    {
        QTest::addColumn<bool>("is55328");
        QTest::addColumn<QVariantList>("colours");
        QTest::addColumn<QList<QByteArray>>("heads");
        QTest::addColumn<QByteArray>("payloadStart");
        QVariantList eight = numbers({255, 0, 0, 0, 255, 0});
        while (eight.size() < 24)
            eight.append(0);
        QVariantList withEighth = eight;
        withEighth[23] = 9;
        QTest::newRow("red first, twice") << false << eight << QList<QByteArray>{"10 01 18 00 00 00 00", "10 01 18 00 00 00 00"}
                                          << QByteArray("00 00 ff 00 ff 00 00");
        QTest::newRow("55328 with eighth colour") << true << withEighth << QList<QByteArray>{"10 00 18 00 00 00 00"}
                                                  << QByteArray("00 00 ff 00 ff 00 00");
        QTest::newRow("55328 fixed colour") << true << eight << QList<QByteArray>{"0c 00 00 ff 00 00 00"} << QByteArray();
        QTest::newRow("one colour only") << false << numbers({1, 2, 3}) << QList<QByteArray>{"10 01 18 00 00 00 00", "10 01 18 00 00 00 00"}
                                         << QByteArray("03 02 01 00 00");
    }
    void colours553()
    {
        QFETCH(bool, is55328);
        QFETCH(QVariantList, colours);
        QFETCH(QList<QByteArray>, heads);
        QFETCH(QByteArray, payloadStart);
        BridgeFixture f(Family::F553, {.is55328 = is55328});
        f.view().mouseSetRGBColor(1, colours);
        QCOMPARE(f.heads(), heads);
        for (const Command &c : f.commands()) {
            QCOMPARE(c.payload.size(), payloadStart.isEmpty() ? 0 : 24);
            QVERIFY(hex(c.payload).startsWith(payloadStart));
        }
    }

    void colours560_data()
    {
        QTest::addColumn<bool>("colourful");
        QTest::addColumn<int>("blockNo");
        QTest::addColumn<int>("offset");
        QTest::newRow("full colour: block 0") << true << 0 << 24;
        QTest::newRow("one colour: block 1") << false << 1 << 104;
    }
    void colours560()
    {
        QFETCH(bool, colourful);
        QFETCH(int, blockNo);
        QFETCH(int, offset);
        BridgeFixture f(Family::F560, {.colorful = colourful, .gun = true});
        fillBlocks(f.view(), 0x11);
        QVariantList colours;
        for (int i = 1; i <= 24; ++i)
            colours.append(i);
        f.view().mouseSetRGBColor(colourful ? 0 : 1, colours);
        const auto sent = f.commands();
        QCOMPARE(sent.size(), size_t(1));
        QCOMPARE(sent[0].head(), profileHead(blockNo));
        QByteArray expected(128, 0x11);
        for (int c = 0; c < 8; ++c)
            expected.replace(offset + 3 * c, 3, bytes({3 * c + 3, 3 * c + 2, 3 * c + 1}));
        QCOMPARE(hex(sent[0].payload), hex(expected));
        QCOMPARE(hex(block(f.view(), blockNo)), hex(expected));
    }

    void moreThan24ColourValuesAreRefused()
    {
        for (Family family : {Family::F553, Family::F560}) {
            BridgeFixture f(family, {.colorful = true});
            MessageCapture messages;
            f.view().mouseSetRGBColor(0, QVariantList(25, 7));
            QVERIFY(f.commands().empty());
            QCOMPARE(block(f.view(), 0), QByteArray(128, 0));
            QVERIFY(messages.contains(QStringLiteral("mouseSetRGBColor refused: 25 colour values, more than 24")));
        }
    }

    // Profile uploads use the 560 command whatever the family says.
    void profileUpload_data()
    {
        QTest::addColumn<Family>("family");
        QTest::newRow("553 device") << Family::F553;
        QTest::newRow("560 device") << Family::F560;
    }
    void profileUpload()
    {
        QFETCH(Family, family);
        BridgeFixture f(family);
        for (int i = 0; i < 128; ++i)
            f.view().profileBlocks[3][i] = uchar(i);
        f.view().mouseSetProfile(3);
        const auto sent = f.commands();
        QCOMPARE(sent.size(), size_t(1));
        QCOMPARE(sent[0].head(), profileHead(3));
        QCOMPARE(hex(sent[0].payload), hex(block(f.view(), 3)));
        if (family == Family::F560)
            QCOMPARE(f.state().profileBlocks[3], vmouse::Bytes(f.view().profileBlocks[3], f.view().profileBlocks[3] + 128));
    }

    void profileDownload()
    {
        BridgeFixture f(Family::F560);
        vmouse::Bytes device(128);
        for (int i = 0; i < 128; ++i)
            device[size_t(i)] = uint8_t(255 - i);
        vmouse::setProfileBlock(f.device, 2, device);
        f.view().mouseReadProfile(2);
        QCOMPARE(f.heads(), QList<QByteArray>{"8c 02 00 00 00 00 00"});
        QCOMPARE(vmouse::Bytes(f.view().profileBlocks[2], f.view().profileBlocks[2] + 128), device);
        QCOMPARE(block(f.view(), 1), QByteArray(128, 0));
    }

    // The download of a block at connect lost a piece (failed, or short: half a report), then the DPI
    // changes. The block is read again before it is sent, and what is sent is the mouse's own block with
    // the new stages; a block that cannot be read whole in a few tries is not sent at all, and a box says why.
    void blockNotReadWholeIsNeverSent_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("nth");      // the read that fails first
        QTest::addColumn<int>("count");    // how many reads in a row fail
        QTest::addColumn<bool>("sent");
        QTest::newRow("short piece") << int(vmouse::Fault::Short) << 2 << 1 << true;
        QTest::newRow("failed piece") << int(vmouse::Fault::Fail) << 3 << 1 << true;
        QTest::newRow("timed-out piece") << int(vmouse::Fault::Timeout) << 4 << 1 << true;
        QTest::newRow("never whole") << int(vmouse::Fault::Short) << 1 << 4 << false;
    }
    void blockNotReadWholeIsNeverSent()
    {
        QFETCH(int, fault);
        QFETCH(int, nth);
        QFETCH(int, count);
        QFETCH(bool, sent);
        BridgeFixture f(Family::F560);
        vmouse::Bytes own(128);
        for (int i = 0; i < 128; ++i)
            own[size_t(i)] = uint8_t(0xA0 ^ i);
        vmouse::setProfileBlock(f.device, 1, own);
        fillBlocks(f.view(), 0);
        f.view().profileBlockWhole[1] = false;
        for (int i = 0; i < count; ++i)
            vmouse::injectFault(vmouse::Fn::Read, nth + i, vmouse::Fault(fault));
        f.view().mouseReadProfile(1);
        QVERIFY(!f.view().profileBlockWhole[1]);
        f.clear();

        f.view().mouseSetDpi(4, "3389", numbers({800, 1600, 3200, 6400, 400, 400, 400, 400}));
        QList<QByteArray> heads = f.heads();
        const auto boxes = f.view().findChild<NoticeBoxes *>();
        if (!sent) {
            QCOMPARE(heads, QList<QByteArray>(3, "8c 01 00 00 00 00 00"));
            QCOMPARE(f.state().profileBlocks[1], own);
            QVERIFY(boxes && boxes->current());
            QVERIFY(boxes->current()->text().startsWith("The settings stored in the mouse (profile 1) could not"));
            return;
        }
        QCOMPARE(heads, (QList<QByteArray>{"8c 01 00 00 00 00 00", profileHead(1)}));
        QVERIFY(!boxes);
        const vmouse::Bytes now = f.state().profileBlocks[1];
        // Bytes 82 to 100 hold the stages; everything else is the mouse's own.
        for (int i = 0; i < 128; ++i) {
            if (i < 82 || i > 100)
                QCOMPARE(int(now[size_t(i)]), int(own[size_t(i)]));
        }
        QCOMPARE(int(now[100]), 0x0F);
    }

    void profileNumbersAboveFourAreRefused()
    {
        BridgeFixture f(Family::F560);
        MessageCapture messages;
        f.view().mouseSetProfile(5);
        f.view().mouseReadProfile(5);
        f.view().mouseReadProfile(uint(-1));
        QVERIFY(f.commands().empty());
        QVERIFY(messages.contains(QStringLiteral("mouseSetProfile refused: no profile block 5")));
        QVERIFY(messages.contains(QStringLiteral("mouseReadProfile refused: no profile block 4294967295")));
    }

    void currentProfileOfTheDevice()
    {
        BridgeFixture f(Family::F560);
        vmouse::DeviceState s = f.state();
        s.currentProfile = 2;
        vmouse::setState(f.device, s);
        QCOMPARE(f.view().mouseReadCurrentProfile(), QVariant(2));
        QCOMPARE(f.heads(), QList<QByteArray>{"82 00 00 00 00 00 00"});
    }
};

QTEST_MAIN(TestDpiLightingProfile)
#include "tst_dpi_lighting_profile.moc"
