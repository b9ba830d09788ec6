// SPDX-License-Identifier: GPL-3.0-or-later
// The bridge's conversions against the worked examples: button assignments to key entries and matrices,
// gun matrices of both families, DPI stage codes of every sensor, the lighting tables and effects, the
// colour order, gun data, the pointer steps and how interface numbers become bytes.

#include "bridge_values.h"
#include "dpi_codes.h"
#include "gun_data.h"
#include "key_matrix.h"
#include "lighting_tables.h"
#include "pointer_steps.h"
#include "profile_block.h"

#include <QTest>

#include <climits>

using keymatrix::Entry;
using keymatrix::Matrix;
using F = CommandFamily;

Q_DECLARE_METATYPE(CommandFamily)

namespace {

QByteArray hexOf(const uchar *data, int length)
{
    return QByteArray(reinterpret_cast<const char *>(data), length).toHex(' ');
}

QByteArray hexOf(const Entry &e)
{
    return hexOf(e.data(), int(e.size()));
}

Matrix matrixOf(const std::vector<Entry> &entries)
{
    Matrix m{};
    for (int slot = 0; slot < int(entries.size()); ++slot)
        keymatrix::setEntry(m, slot, entries[size_t(slot)]);
    return m;
}

// The built-in set of the key-assignment page and its primary matrix.
const std::vector<Entry> kBuiltIn = {
    {0, 0, 0xF0, 0}, {0, 0, 0xF1, 0}, {0, 0, 0xF2, 0}, {0, 0, 0xF4, 0}, {0, 0, 0xF3, 0}, {5, 0, 1, 0},
    {5, 0, 2, 0},    {0, 0xF0, 0x1E, 2}, {0, 0, 0, 0}, {0, 0, 0, 0},    {0, 0, 0, 0},    {0, 0, 0, 0},
    {0, 0, 0, 0},    {0, 0, 0, 0},    {0xFF, 0, 1, 0}, {0xFF, 0, 2, 0}};
const std::vector<Entry> kBuiltInSent = {
    {1, 0, 0xF0, 0}, {1, 0, 0xF1, 0}, {1, 0, 0xF2, 0}, {1, 0, 0xF4, 0}, {1, 0, 0xF3, 0}, {7, 0, 3, 0},
    {5, 0, 3, 0},    {7, 0, 1, 0},    {13, 0, 0, 0},   {13, 1, 0, 0},   {1, 0, 0, 0},    {1, 0, 0, 0},
    {14, 0, 0, 0},   {1, 0, 0, 0},    {4, 0, 1, 0},    {4, 0, 2, 0}};

// A default matrix whose entries are all distinct: slot k holds (k + 1, 0x10 + k, 0x20 + k, 0x30 + k).
Matrix numberedDefault()
{
    Matrix m{};
    for (int k = 0; k < 16; ++k)
        keymatrix::setEntry(m, k, {uchar(k + 1), uchar(0x10 + k), uchar(0x20 + k), uchar(0x30 + k)});
    return m;
}

}  // namespace

class TestBridgeTables : public QObject
{
    Q_OBJECT

private slots:
    void keyEntry_data()
    {
        QTest::addColumn<CommandFamily>("family");
        QTest::addColumn<QByteArray>("assignment");
        QTest::addColumn<QByteArray>("sent");
        auto row = [](const char *name, F f, Entry in, Entry out) {
            QTest::newRow(name) << f << hexOf(in) << hexOf(out);
        };
        row("mouse button", F::F553, {0, 0, 0xF0, 0}, {1, 0, 0xF0, 0});
        row("empty is a mouse button", F::F553, {0, 0, 0, 0}, {1, 0, 0, 0});
        row("double click", F::F553, {0, 0xF0, 0x1E, 2}, {10, 0xF0, 0x1E, 2});
        row("double click test ignores byte 1", F::F560, {0, 0, 0x1E, 2}, {10, 0, 0x1E, 2});
        row("0x1E alone is a button", F::F553, {0, 0, 0x1E, 3}, {1, 0, 0x1E, 3});
        row("fire = double click", F::F553, {1, 0xF0, 30, 2}, {10, 0xF0, 0x1E, 2});
        row("key combination", F::F553, {2, 0x03, 0x04, 0x05}, {0, 0x03, 0x04, 0x05});
        row("media volume up", F::F560, {3, 0, 0xE9, 0}, {3, 0, 0xE9, 0});
        row("macro on button 3", F::F553, {4, 1, 3, 0}, {9, 1, 4, 0});
        row("macro slot 255 wraps", F::F553, {4, 2, 255, 0}, {9, 2, 0, 0});
        row("dpi up", F::F553, {5, 0, 1, 0}, {7, 0, 1, 0});
        row("dpi cycle", F::F560, {5, 0, 3, 0}, {7, 0, 3, 0});
        row("sniper 553", F::F553, {5, 0, 4, 0}, {7, 0, 4, 2});
        row("sniper 560", F::F560, {5, 0, 4, 0}, {11, 0, 1, 1});
        row("sniper ignores other bytes", F::F553, {5, 9, 4, 9}, {7, 0, 4, 2});
        row("windows maximise", F::F553, {6, 0x04, 0x2C, 0x1B}, {0, 0x04, 0x2C, 0x1B});
        row("shortcut copy", F::F560, {7, 0, 0xE0, 0x06}, {0, 0, 0xE0, 0x06});
        row("gun", F::F553, {8, 0, 3, 0}, {8, 0, 3, 0});
        row("button default", F::F553, {0xFF, 0, 2, 0}, {4, 0, 2, 0});
        row("unnamed code 9", F::F553, {9, 1, 2, 3}, {9, 1, 2, 3});
        row("unnamed code 0xFE", F::F560, {0xFE, 1, 2, 3}, {0xFE, 1, 2, 3});
    }
    void keyEntry()
    {
        QFETCH(CommandFamily, family);
        QFETCH(QByteArray, assignment);
        QFETCH(QByteArray, sent);
        const QByteArray in = QByteArray::fromHex(assignment);
        const Entry e{uchar(in[0]), uchar(in[1]), uchar(in[2]), uchar(in[3])};
        QCOMPARE(hexOf(keymatrix::deviceEntry(e, family)), sent);
    }

    void builtInSetIsOnePrimaryMatrix()
    {
        for (F family : {F::F553, F::F560}) {
            const Matrix p = keymatrix::primaryMatrix(matrixOf(kBuiltIn), family);
            QCOMPARE(hexOf(p.data(), 64), hexOf(matrixOf(kBuiltInSent).data(), 64));
            QVERIFY(!keymatrix::hasGun(p));
        }
    }

    // Button 5 reaches the device in slot 7; buttons 6 to 9 and 12 never do, whatever they hold.
    void fixedSlots()
    {
        std::vector<Entry> set = kBuiltIn;
        set[5] = {4, 0, 5, 0};     // a macro on button 5
        for (int b : {6, 7, 8, 9, 12})
            set[size_t(b)] = {8, 0, 3, 0};   // guns that must not reach the device
        const Matrix p = keymatrix::primaryMatrix(matrixOf(set), F::F553);
        QCOMPARE(hexOf(keymatrix::entryAt(p, 7)), hexOf(Entry{9, 0, 6, 0}));
        std::vector<Entry> expected = kBuiltInSent;
        expected[7] = {9, 0, 6, 0};
        QCOMPARE(hexOf(p.data(), 64), hexOf(matrixOf(expected).data(), 64));
        QVERIFY(!keymatrix::hasGun(p));
    }

    void gunMatrices_data()
    {
        QTest::addColumn<CommandFamily>("family");
        QTest::addColumn<int>("guns");
        QTest::addColumn<QByteArray>("primary");     // the gun slot (3) of each matrix
        QTest::addColumn<QByteArray>("g2");
        QTest::addColumn<QByteArray>("g3");
        QTest::addColumn<QByteArray>("g4");
        QTest::addColumn<int>("gunMode");            // -1: none
        // Slot 3 of the numbered default is (04 13 23 33).
        QTest::newRow("553 one gun") << F::F553 << 1 << QByteArray("08 00 01 01") << QByteArray("08 00 01 00")
                                     << QByteArray("08 00 01 00") << QByteArray("08 00 01 00") << -1;
        QTest::newRow("553 two guns") << F::F553 << 2 << QByteArray("08 00 01 01") << QByteArray("08 00 01 02")
                                      << QByteArray("08 00 01 00") << QByteArray("08 00 01 00") << -1;
        QTest::newRow("553 three guns") << F::F553 << 3 << QByteArray("08 00 01 01") << QByteArray("08 00 01 02")
                                        << QByteArray("08 00 01 03") << QByteArray("08 00 01 00") << -1;
        QTest::newRow("553 five guns keeps byte 3") << F::F553 << 5 << QByteArray("08 00 01 07")
                                                    << QByteArray("08 00 01 33") << QByteArray("08 00 01 33")
                                                    << QByteArray("08 00 01 33") << -1;
        QTest::newRow("560 one gun") << F::F560 << 1 << QByteArray("08 06 01 07") << QByteArray("08 13 00 33")
                                     << QByteArray("08 13 00 33") << QByteArray("08 13 00 33") << 0x07;
        QTest::newRow("560 two guns") << F::F560 << 2 << QByteArray("08 06 01 07") << QByteArray("08 13 03 33")
                                      << QByteArray("08 13 00 33") << QByteArray("08 13 00 33") << 0x0F;
        QTest::newRow("560 three guns") << F::F560 << 3 << QByteArray("08 06 01 07") << QByteArray("08 13 03 33")
                                        << QByteArray("08 13 03 33") << QByteArray("08 13 00 33") << 0x1F;
        QTest::newRow("560 no guns changes only codes") << F::F560 << 0 << QByteArray("08 06 00 07")
                                                        << QByteArray("08 13 23 33") << QByteArray("08 13 23 33")
                                                        << QByteArray("08 13 23 33") << -1;
    }
    void gunMatrices()
    {
        QFETCH(CommandFamily, family);
        QFETCH(int, guns);
        QFETCH(QByteArray, primary);
        QFETCH(QByteArray, g2);
        QFETCH(QByteArray, g3);
        QFETCH(QByteArray, g4);
        QFETCH(int, gunMode);
        std::vector<Entry> set = kBuiltIn;
        set[3] = {8, 6, uchar(guns), 7};
        const Matrix p = keymatrix::primaryMatrix(matrixOf(set), family);
        QVERIFY(keymatrix::hasGun(p));
        const auto up = keymatrix::gunMatrices(p, numberedDefault(), {30, 40, 50}, family);
        QCOMPARE(hexOf(keymatrix::entryAt(up.primary, 3)), primary);
        QCOMPARE(hexOf(keymatrix::entryAt(up.gun[0], 3)), g2);
        QCOMPARE(hexOf(keymatrix::entryAt(up.gun[1], 3)), g3);
        QCOMPARE(hexOf(keymatrix::entryAt(up.gun[2], 3)), g4);
        QCOMPARE(up.gunMode ? int(*up.gunMode) : -1, gunMode);
        // Slot 0 of each gun matrix fires its gun with the gun's period; other slots are the defaults.
        QCOMPARE(hexOf(keymatrix::entryAt(up.gun[0], 0)), QByteArray("0b 00 1e 00"));
        QCOMPARE(hexOf(keymatrix::entryAt(up.gun[1], 0)), QByteArray("0b 01 28 00"));
        QCOMPARE(hexOf(keymatrix::entryAt(up.gun[2], 0)), QByteArray("0b 02 32 00"));
        for (const Matrix &g : up.gun)
            QCOMPARE(hexOf(keymatrix::entryAt(g, 15)), hexOf(keymatrix::entryAt(numberedDefault(), 15)));
        // Only the gun slot of the primary matrix changes.
        Matrix rest = up.primary;
        keymatrix::setEntry(rest, 3, keymatrix::entryAt(p, 3));
        QCOMPARE(hexOf(rest.data(), 64), hexOf(p.data(), 64));
    }

    void laterGunKeyWinsTheGunMode()
    {
        std::vector<Entry> set = kBuiltIn;
        set[2] = {8, 0, 3, 0};
        set[10] = {8, 0, 1, 0};
        const Matrix p = keymatrix::primaryMatrix(matrixOf(set), F::F560);
        const auto up = keymatrix::gunMatrices(p, numberedDefault(), {1, 2, 3}, F::F560);
        QCOMPARE(int(*up.gunMode), 0x07);
        QCOMPARE(hexOf(keymatrix::entryAt(up.gun[1], 2)), QByteArray("08 12 03 32"));
        QCOMPARE(hexOf(keymatrix::entryAt(up.gun[1], 10)), QByteArray("08 1a 00 3a"));
    }

    void dpiStageCode_data()
    {
        QTest::addColumn<QString>("sensor");
        QTest::addColumn<qint64>("dpi");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("highBit");
        auto row = [](const char *sensor, qint64 dpi, int code, bool high = false) {
            QTest::addRow("%s %lld", sensor, dpi) << QString::fromLatin1(sensor) << dpi << code << high;
        };
        row("3360", 800, 7);
        row("3360", 400, 3);
        row("3360", 5000, 49);
        row("3360", 8000, 79);
        row("3360", 50, 0xFF);          // below a stage: the low byte of -1
        row("3050", 800, 0x04);
        row("3050", 250, 0x01);
        row("3050", 251, 0x02);
        row("3050", 2001, 0x45);
        row("3050", 4000, 0x48);
        row("3050", 4001, 0x00);
        row("3050", 4500, 0x00);
        row("3389", 800, 16);
        row("3389", 6000, 120);
        row("3389", 12799, 255);
        row("3389", 12800, 0, true);
        row("3389", 16000, 0x40, true);
        row("3327", 800, 16);
        row("3327", 850, 16);
        row("3327", 12800, 0);          // (128 x 2) cut to 8 bits
        row("4090", 800, 7);
        row("4090", 5000, 49);
        row("4090", 5001, 0x59);
        row("4090", 6000, 0x5E);
        row("other sensor", 800, 7);
        row("other sensor", 6000, 0x5E);
        row("", 6000, 0x5E);
    }
    void dpiStageCode()
    {
        QFETCH(QString, sensor);
        QFETCH(qint64, dpi);
        QFETCH(int, code);
        QFETCH(bool, highBit);
        QCOMPARE(int(dpi::stageCode(sensor, dpi)), code);
        dpi::Values values{};
        values.fill(100);
        values[5] = dpi;
        const dpi::StageCodes stages = dpi::stageCodes(sensor, values);
        QCOMPARE(int(stages.codes[5]), code);
        QCOMPARE(int(stages.highBits), highBit ? 0x20 : 0);
    }

    void dpiTablesAndMasks()
    {
        const dpi::Stages codes{3, 7, 15, 31, 49, 59, 69, 79};
        QCOMPARE(hexOf(dpi::table553(codes, 4).data(), 8), QByteArray("03 07 0f 1f 80 80 80 80"));
        QCOMPARE(hexOf(dpi::table553(codes, 8).data(), 8), QByteArray("03 07 0f 1f 31 3b 45 4f"));
        QCOMPARE(hexOf(dpi::table553(codes, 0).data(), 8), QByteArray("80 80 80 80 80 80 80 80"));
        QCOMPARE(hexOf(dpi::table553(codes, -3).data(), 8), QByteArray("80 80 80 80 80 80 80 80"));
        QCOMPARE(hexOf(dpi::table553(codes, 12).data(), 8), QByteArray("03 07 0f 1f 31 3b 45 4f"));
        QCOMPARE(int(dpi::enabledMask(4)), 0x0F);
        QCOMPARE(int(dpi::enabledMask(1)), 0x01);
        QCOMPARE(int(dpi::enabledMask(8)), 0xFF);
        QCOMPARE(int(dpi::enabledMask(0)), 0);
        QCOMPARE(int(dpi::enabledMask(-1)), 0);
        QCOMPARE(int(dpi::enabledMask(9)), 0xFF);

        uchar blockBytes[block::kSize];
        std::fill(std::begin(blockBytes), std::end(blockBytes), uchar(0xAA));
        dpi::writeToBlock(blockBytes, {codes, 0x81}, 3, false);
        QCOMPARE(hexOf(blockBytes + 82, 19),
                 QByteArray("aa aa 03 07 0f 1f 31 3b 45 4f 03 07 0f 1f 31 3b 45 4f 07"));
        dpi::writeToBlock(blockBytes, {codes, 0x81}, 3, true);
        QCOMPARE(hexOf(blockBytes + 82, 2), QByteArray("81 81"));
        QCOMPARE(int(blockBytes[81]), 0xAA);
        QCOMPARE(int(blockBytes[101]), 0xAA);
    }

    void lightingTables()
    {
        const int brightness[] = {0, 64, 128, 192, 255, 0, 0};
        const int statics[] = {1, 3, 5, 7, 10, 0, 0};
        const int neon[] = {30, 24, 18, 12, 6, 0, 0};
        const int speed[] = {10, 7, 5, 3, 1, 0, 0};
        const uint steps[] = {0, 1, 2, 3, 4, 5, 255};
        for (int i = 0; i < 7; ++i) {
            QCOMPARE(int(lighting::brightness(steps[i])), brightness[i]);
            QCOMPARE(int(lighting::staticBrightness(steps[i])), statics[i]);
            QCOMPARE(int(lighting::neonSpeed(steps[i])), neon[i]);
            QCOMPARE(int(lighting::colourSpeed(steps[i])), speed[i]);
        }
    }

    void effects_data()
    {
        QTest::addColumn<bool>("fullColour");
        QTest::addColumn<int>("effect");
        QTest::addColumn<int>("speed");
        QTest::addColumn<int>("brightness");
        QTest::addColumn<QByteArray>("bytes");
        auto row = [](const char *name, bool full, int e, int s, int b, const char *out) {
            QTest::newRow(name) << full << e << s << b << QByteArray(out);
        };
        row("one colour static", false, 0, 0, 4, "01 0a 01");
        row("one colour static step 2", false, 0, 3, 2, "01 05 01");
        row("one colour breath", false, 1, 2, 0, "02 03 01");
        row("one colour neon", false, 2, 1, 0, "03 18 01");
        row("one colour neon step 5", false, 2, 5, 0, "03 00 01");
        row("one colour off", false, 3, 2, 2, "00 00 00");
        row("one colour breath loop", false, 4, 0, 0, "02 01 03");
        row("one colour unknown", false, 5, 2, 2, "00 00 00");
        row("full static", true, 0, 3, 4, "01 ff 00");
        row("full static brightness 0", true, 0, 3, 0, "01 00 00");
        row("full 1", true, 1, 0, 4, "03 00 0a");
        row("full 2", true, 2, 4, 4, "04 00 01");
        row("full off", true, 3, 2, 2, "00 00 00");
        row("full 4", true, 4, 2, 1, "02 40 00");
        row("full 5", true, 5, 1, 2, "05 80 07");
        row("full 6", true, 6, 1, 2, "06 00 00");
        row("full 7", true, 7, 1, 3, "07 c0 00");
        row("full 8", true, 8, 2, 4, "08 ff 0f");
        row("full 9", true, 9, 3, 4, "09 ff 07");
        row("full 10", true, 10, 4, 4, "0a ff 14");
        row("full 10 speed 5", true, 10, 5, 4, "0a ff 00");
        row("full 11", true, 11, 2, 4, "00 00 00");
    }
    void effects()
    {
        QFETCH(bool, fullColour);
        QFETCH(int, effect);
        QFETCH(int, speed);
        QFETCH(int, brightness);
        QFETCH(QByteArray, bytes);
        const lighting::Effect e = fullColour ? lighting::fullColourEffect(uchar(effect), uchar(speed), uchar(brightness))
                                              : lighting::singleColourEffect(uchar(effect), uchar(speed), uchar(brightness));
        const uchar out[3] = {e.mode, e.first, e.second};
        QCOMPARE(hexOf(out, 3), bytes);
    }

    void colourOrder()
    {
        auto buffer = [](std::vector<uchar> rgb) {
            const lighting::Colours c = lighting::colourBuffer(rgb);
            return hexOf(c.data(), 24);
        };
        QVERIFY(buffer({255, 0, 0}).startsWith("00 00 ff 00"));
        QVERIFY(buffer({1, 2, 3, 4, 5, 6}).startsWith("03 02 01 06 05 04 00"));
        // An incomplete last triple stays in order; two values are no colour at all.
        QVERIFY(buffer({1, 2, 3, 4, 5}).startsWith("03 02 01 04 05 00"));
        QVERIFY(buffer({1, 2}).startsWith("01 02 00"));
        std::vector<uchar> all(24);
        for (int i = 0; i < 24; ++i)
            all[size_t(i)] = uchar(i + 1);
        QCOMPARE(buffer(all).right(8), QByteArray("18 17 16"));
        QVERIFY(!lighting::hasEighthColour(lighting::colourBuffer({1, 2, 3})));
        all.assign(24, 0);
        all[22] = 1;
        QVERIFY(lighting::hasEighthColour(lighting::colourBuffer(all)));
    }

    void gunData()
    {
        auto cmd = [](gun::Values v, int n, uchar option) {
            const auto b = gun::command553(v, n, option);
            return hexOf(b.data(), 4);
        };
        QCOMPARE(cmd({3, 2, 5}, 1, 0), QByteArray("03 02 05 00"));
        QCOMPARE(cmd({3, 2, 5}, 2, 1), QByteArray("03 02 fb 01"));
        QCOMPARE(cmd({3, -2, -5}, 3, 0x80), QByteArray("03 fe 05 02"));
        QCOMPARE(cmd({259, -2, -5}, 3, 0), QByteArray("03 fe fb 02"));
        QVERIFY(gun::validGunNumber(1) && gun::validGunNumber(3));
        QVERIFY(!gun::validGunNumber(0) && !gun::validGunNumber(4));

        uchar b[block::kSize];
        std::fill(std::begin(b), std::end(b), uchar(0xFF));
        gun::writeToBlock(b, {12, -3, 7});
        QCOMPARE(hexOf(b + 77, 6), QByteArray("ff f0 0c fd 07 ff"));
        QCOMPARE(int(b[65]), 0xFB);
        QCOMPARE(int(b[64]), 0xFF);
        QCOMPARE(int(b[66]), 0xFF);

        const macro::Buffer m = macro::buffer({0, 1, 5, 4});
        QCOMPARE(hexOf(m.data(), 6), QByteArray("00 01 05 04 00 00"));
    }

    void pointerSteps_data()
    {
        QTest::addColumn<uint>("step");
        QTest::addColumn<uint>("speed");
        QTest::addColumn<uint>("doubleClickMs");
        QTest::newRow("0") << 0u << 1u << 900u;
        QTest::newRow("1") << 1u << 2u << 830u;
        QTest::newRow("2") << 2u << 4u << 760u;
        QTest::newRow("5") << 5u << 10u << 550u;
        QTest::newRow("9") << 9u << 18u << 270u;
        QTest::newRow("10") << 10u << 20u << 200u;
        QTest::newRow("11 clamped to the slider's last step") << 11u << 20u << 200u;
        QTest::newRow("12 clamped") << 12u << 20u << 200u;
        QTest::newRow("13 clamped") << 13u << 20u << 200u;
        QTest::newRow("huge clamped") << uint(UINT_MAX) << 20u << 200u;
        QTest::newRow("2^31 clamped") << 0x80000000u << 20u << 200u;
    }
    void pointerSteps()
    {
        QFETCH(uint, step);
        QFETCH(uint, speed);
        QFETCH(uint, doubleClickMs);
        QCOMPARE(pointer::speedForStep(step), speed);
        QCOMPARE(pointer::doubleClickMsForStep(step), doubleClickMs);
    }

    void desktopSpeed()
    {
        QCOMPARE(pointer::desktopSpeed(1), -0.9);
        QCOMPARE(pointer::desktopSpeed(10), 0.0);
        QCOMPARE(pointer::desktopSpeed(14), 0.4);
        QCOMPARE(pointer::desktopSpeed(20), 1.0);
        QCOMPARE(pointer::desktopSpeed(24), 1.0);
        QCOMPARE(pointer::desktopSpeed(0), -1.0);
    }

    // Numbers from the interface and from settings files become the same bytes.
    void interfaceNumbers()
    {
        QCOMPARE(int(bridge::lowByte(240)), 0xF0);
        QCOMPARE(int(bridge::lowByte(256 + 7)), 7);
        QCOMPARE(int(bridge::lowByte(-5)), 0xFB);
        QCOMPARE(int(bridge::lowByte(QStringLiteral("240"))), 0xF0);
        QCOMPARE(int(bridge::lowByte(QStringLiteral("-5"))), 0xFB);
        QCOMPARE(int(bridge::lowByte(30.0)), 30);
        QCOMPARE(int(bridge::lowByte(QStringLiteral("30.0"))), 30);
        QCOMPARE(int(bridge::lowByte(QStringLiteral("abc"))), 0);
        QCOMPARE(int(bridge::lowByte(QVariant())), 0);
        QCOMPARE(int(bridge::lowByte(std::numeric_limits<double>::infinity())), 0);
        QCOMPARE(bridge::integerValue(QStringLiteral("16000")), qint64(16000));
        const std::vector<uchar> padded = bridge::lowBytes({1, 2}, 4);
        QCOMPARE(hexOf(padded.data(), 4), QByteArray("01 02 00 00"));
        const std::vector<qint64> cut = bridge::integerValues({1, 2, 3, 4}, 2);
        QCOMPARE(cut.size(), size_t(2));
    }
};

QTEST_APPLESS_MAIN(TestBridgeTables)
#include "tst_bridge_tables.moc"
