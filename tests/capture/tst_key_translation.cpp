// SPDX-License-Identifier: GPL-3.0-or-later
// Key translation, the keyboard and mouse procedures, and the Linux conversion of evdev keys and X
// buttons: pure functions, checked against the published tables.

#include "key_procedure.h"
#include "key_tables.h"
#include "linux_input_codes.h"

#include <QSet>
#include <QTest>

using namespace capture;
Q_DECLARE_METATYPE(KeyHookData)
// evdev code, pressed
using EvdevEvents = QList<QPair<int, bool>>;

namespace {

// The published translation, one cell per key: scan code (E: extended), virtual key, usage, in hex.
// Kept as text here, apart from the program's own table, so that a mistyped row shows up.
const char *const kPublishedTable =
    "01>1B>29 02>31>1E 03>32>1F 04>33>20 "
    "05>34>21 06>35>22 07>36>23 08>37>24 "
    "09>38>25 0A>39>26 0B>30>27 0C>BD>2D "
    "0D>BB>2E 0E>08>2A 0F>09>2B 10>51>14 "
    "11>57>1A 12>45>08 13>52>15 14>54>17 "
    "15>59>1C 16>55>18 17>49>0C 18>4F>12 "
    "19>50>13 1A>DB>2F 1B>DD>30 1C>0D>28 "
    "1CE>0E>58 1D>A2>E0 1DE>A3>E4 1E>41>04 "
    "1F>53>16 20>44>07 21>46>09 22>47>0A "
    "23>48>0B 24>4A>0D 25>4B>0E 26>4C>0F "
    "27>BA>33 28>DE>34 29>C0>35 2A>A0>E1 "
    "2B>DC>31 2C>5A>1D 2D>58>1B 2E>43>06 "
    "2F>56>19 30>42>05 31>4E>11 32>4D>10 "
    "33>BC>36 34>BE>37 35>BF>38 35E>6F>54 "
    "36E>A1>E5 37>6A>55 37E>2C>46 38>A4>E2 "
    "38E>A5>E6 39>20>2C 3A>14>39 3B>70>3A "
    "3C>71>3B 3D>72>3C 3E>73>3D 3F>74>3E "
    "40>75>3F 41>76>40 42>77>41 43>78>42 "
    "44>79>43 45>13>48 45E>90>53 46>91>47 "
    "47>67>5F 47E>24>4A 48>68>60 48E>26>52 "
    "49>69>61 49E>21>4B 4A>6D>56 4B>64>5C "
    "4BE>25>50 4C>65>5D 4D>66>5E 4DE>27>4F "
    "4E>6B>57 4F>61>59 4FE>23>4D 50>62>5A "
    "50E>28>51 51>63>5B 51E>22>4E 52>60>62 "
    "52E>2D>49 53>6E>63 53E>2E>4C 56>E2>64 "
    "57>7A>44 58>7B>45 5BE>5B>E3 5DE>5D>65 "
    "6E>86>72 ";

struct Published
{
    uint8_t scan;
    bool extended;
    uint8_t virtualKey;
    uint8_t usage;
};

QList<Published> publishedRows()
{
    QList<Published> rows;
    for (const QByteArray &cell : QByteArray(kPublishedTable).simplified().split(' ')) {
        const QList<QByteArray> parts = cell.split('>');
        const bool extended = parts[0].size() == 3;  // "1CE": 1C extended
        rows.append({uint8_t(parts[0].left(2).toUInt(nullptr, 16)), extended,
                     uint8_t(parts[1].toUInt(nullptr, 16)), uint8_t(parts[2].toUInt(nullptr, 16))});
    }
    return rows;
}

KeyHookData down(uint32_t scan, uint32_t flags = 0, uint32_t message = kKeyDown, int code = 0)
{
    return KeyHookData{code, message, scan, flags};
}

KeyHookData up(uint32_t scan, uint32_t flags = 0)
{
    return KeyHookData{0, kKeyUp, scan, flags | kFlagReleased};
}

// Runs hook events through the procedure from released keys; each report as "usage+" or "usage-".
QStringList reports(const QList<KeyHookData> &events)
{
    KeyTables tables;
    tables.fill();
    KeyStates states{};
    QStringList out;
    for (const KeyHookData &event : events) {
        if (const auto report = keyboardProcedure(tables, states, event))
            out << QString::asprintf("%02X%c", report->usage, report->pressed ? '+' : '-');
    }
    return out;
}

// Every key of the table as an evdev code with the HID usage of that key.
const int kEvdevUsages[][2] = {
    {1, 0x29},  {2, 0x1E},  {3, 0x1F},  {4, 0x20},  {5, 0x21},  {6, 0x22},  {7, 0x23},  {8, 0x24},
    {9, 0x25},  {10, 0x26}, {11, 0x27}, {12, 0x2D}, {13, 0x2E}, {14, 0x2A}, {15, 0x2B}, {16, 0x14},
    {17, 0x1A}, {18, 0x08}, {19, 0x15}, {20, 0x17}, {21, 0x1C}, {22, 0x18}, {23, 0x0C}, {24, 0x12},
    {25, 0x13}, {26, 0x2F}, {27, 0x30}, {28, 0x28}, {29, 0xE0}, {30, 0x04}, {31, 0x16}, {32, 0x07},
    {33, 0x09}, {34, 0x0A}, {35, 0x0B}, {36, 0x0D}, {37, 0x0E}, {38, 0x0F}, {39, 0x33}, {40, 0x34},
    {41, 0x35}, {42, 0xE1}, {43, 0x31}, {44, 0x1D}, {45, 0x1B}, {46, 0x06}, {47, 0x19}, {48, 0x05},
    {49, 0x11}, {50, 0x10}, {51, 0x36}, {52, 0x37}, {53, 0x38}, {54, 0xE5}, {55, 0x55}, {56, 0xE2},
    {57, 0x2C}, {58, 0x39}, {59, 0x3A}, {60, 0x3B}, {61, 0x3C}, {62, 0x3D}, {63, 0x3E}, {64, 0x3F},
    {65, 0x40}, {66, 0x41}, {67, 0x42}, {68, 0x43}, {69, 0x53}, {70, 0x47}, {71, 0x5F}, {72, 0x60},
    {73, 0x61}, {74, 0x56}, {75, 0x5C}, {76, 0x5D}, {77, 0x5E}, {78, 0x57}, {79, 0x59}, {80, 0x5A},
    {81, 0x5B}, {82, 0x62}, {83, 0x63}, {86, 0x64}, {87, 0x44}, {88, 0x45}, {96, 0x58}, {97, 0xE4},
    {98, 0x54}, {99, 0x46}, {100, 0xE6}, {102, 0x4A}, {103, 0x52}, {104, 0x4B}, {105, 0x50}, {106, 0x4F},
    {107, 0x4D}, {108, 0x51}, {109, 0x4E}, {110, 0x49}, {111, 0x4C}, {119, 0x48}, {125, 0xE3},
    {127, 0x65}, {193, 0x72},
};

}  // namespace

class TestKeyTranslation : public QObject
{
    Q_OBJECT

private slots:
    void everyTableEntry()
    {
        const QList<Published> rows = publishedRows();
        QCOMPARE(rows.size(), kScanTableSize);
        KeyTables tables;
        tables.fill();
        tables.fill();  // filling again starts from empty maps
        QCOMPARE(int(tables.scanToVirtualKey.size()), kScanTableSize);
        for (const Published &row : rows) {
            const QByteArray name = QByteArray::number(row.scan, 16) + (row.extended ? " E" : "");
            const uint8_t virtualKey = tables.virtualKeyFor(row.scan, row.extended ? kFlagExtended : 0);
            QVERIFY2(virtualKey == row.virtualKey, name.constData());
            QVERIFY2(tables.usageFor(virtualKey) == row.usage, name.constData());
            // A press and a release of the key, each reported once.
            const uint32_t flags = row.extended ? kFlagExtended : 0;
            QCOMPARE(reports({down(row.scan, flags), up(row.scan, flags)}),
                     QStringList({QString::asprintf("%02X+", row.usage), QString::asprintf("%02X-", row.usage)}));
        }
    }

    void keys_data()
    {
        QTest::addColumn<uint>("scan");
        QTest::addColumn<uint>("flags");
        QTest::addColumn<QString>("report");  // the press report, empty when silent
        const uint E = kFlagExtended;
        const uint Alt = kFlagAltDown;
        QTest::newRow("Enter") << 0x1Cu << 0u << "28+";
        QTest::newRow("keypad Enter") << 0x1Cu << E << "58+";
        QTest::newRow("left Ctrl") << 0x1Du << 0u << "E0+";
        QTest::newRow("right Ctrl") << 0x1Du << E << "E4+";
        QTest::newRow("Print Screen") << 0x37u << E << "46+";
        QTest::newRow("Print Screen with Alt") << 0x54u << Alt << "46+";
        QTest::newRow("scan 54 without Alt") << 0x54u << 0u << "";
        QTest::newRow("scan 54 extended, no Alt") << 0x54u << E << "";
        QTest::newRow("keypad * is not Print Screen") << 0x37u << 0u << "55+";
        QTest::newRow("Pause") << 0x45u << 0u << "48+";
        QTest::newRow("Num Lock") << 0x45u << E << "53+";
        QTest::newRow("Ctrl+Break") << 0x46u << E << "48+";
        QTest::newRow("Scroll Lock") << 0x46u << 0u << "47+";
        QTest::newRow("right Windows") << 0x5Cu << E << "";
        QTest::newRow("left Windows") << 0x5Bu << E << "E3+";
        QTest::newRow("right Shift is sent extended") << 0x36u << E << "E5+";
        QTest::newRow("scan 36 not extended") << 0x36u << 0u << "";
        QTest::newRow("A with Alt held") << 0x1Eu << Alt << "04+";
        QTest::newRow("scan code above a byte") << 0x11Eu << 0u << "";
        QTest::newRow("scan code above a byte, extended") << 0x11Cu << E << "";
        QTest::newRow("unknown scan code") << 0x7Fu << 0u << "";
    }
    void keys()
    {
        QFETCH(uint, scan);
        QFETCH(uint, flags);
        QFETCH(QString, report);
        QCOMPARE(reports({down(scan, flags)}), report.isEmpty() ? QStringList() : QStringList{report});
    }

    void pressedRule_data()
    {
        QTest::addColumn<QList<KeyHookData>>("events");
        QTest::addColumn<QStringList>("expected");
        const uint A = 0x1E;
        QTest::newRow("holding A: one press, one release")
            << QList<KeyHookData>{down(A), down(A), down(A), down(A), up(A)} << QStringList{"04+", "04-"};
        QTest::newRow("a release never seen pressed is silent") << QList<KeyHookData>{up(A)} << QStringList{};
        QTest::newRow("a second release is silent") << QList<KeyHookData>{down(A), up(A), up(A)}
                                                    << QStringList{"04+", "04-"};
        QTest::newRow("system key down counts as pressed")
            << QList<KeyHookData>{down(A, kFlagAltDown, kSysKeyDown), up(A)} << QStringList{"04+", "04-"};
        QTest::newRow("system key up counts as released")
            << QList<KeyHookData>{down(A), KeyHookData{0, kSysKeyUp, A, kFlagAltDown}} << QStringList{"04+", "04-"};
        QTest::newRow("a code other than 0 counts as release")
            << QList<KeyHookData>{down(A), down(A, 0, kKeyDown, 1)} << QStringList{"04+", "04-"};
        QTest::newRow("a negative code on a released key is silent")
            << QList<KeyHookData>{down(A, 0, kKeyDown, -1)} << QStringList{};
        QTest::newRow("an unknown message counts as release")
            << QList<KeyHookData>{down(A), down(A, 0, 0x102)} << QStringList{"04+", "04-"};
        QTest::newRow("Print Screen pressed alone, released with Alt")
            << QList<KeyHookData>{down(0x37, kFlagExtended), up(0x54, kFlagAltDown)} << QStringList{"46+", "46-"};
        QTest::newRow("two keys interleaved")
            << QList<KeyHookData>{down(A), down(0x30), down(A), up(A), down(0x30), up(0x30)}
            << QStringList{"04+", "05+", "04-", "05-"};
    }
    void pressedRule()
    {
        QFETCH(QList<KeyHookData>, events);
        QFETCH(QStringList, expected);
        QCOMPARE(reports(events), expected);
    }

    void mouseMessages_data()
    {
        QTest::addColumn<uint>("message");
        QTest::addColumn<int>("button");  // -1: not reported
        QTest::addColumn<bool>("pressed");
        QTest::newRow("move") << 0x200u << -1 << false;
        QTest::newRow("left down") << 0x201u << 0xF0 << true;
        QTest::newRow("left up") << 0x202u << 0xF0 << false;
        QTest::newRow("left double click") << 0x203u << -1 << false;
        QTest::newRow("right down") << 0x204u << 0xF1 << true;
        QTest::newRow("right up") << 0x205u << 0xF1 << false;
        QTest::newRow("right double click") << 0x206u << -1 << false;
        QTest::newRow("middle down") << 0x207u << 0xF2 << true;
        QTest::newRow("middle up") << 0x208u << 0xF2 << false;
        QTest::newRow("middle double click") << 0x209u << -1 << false;
        QTest::newRow("wheel") << 0x20Au << -1 << false;
        QTest::newRow("extra button down") << 0x20Bu << -1 << false;
    }
    void mouseMessages()
    {
        QFETCH(uint, message);
        QFETCH(int, button);
        QFETCH(bool, pressed);
        const std::optional<ButtonEvent> event = mouseButtonFor(message);
        QCOMPARE(event.has_value(), button >= 0);
        if (event) {
            QCOMPARE(int(event->button), button);
            QCOMPARE(event->pressed, pressed);
        }
    }

    // Every key of the table reached from its evdev code gives that key's usage, and together they
    // reach every row of the table.
    void evdevAgreesWithTable()
    {
        KeyTables tables;
        tables.fill();
        QSet<int> usages;
        for (const auto &[code, usage] : kEvdevUsages) {
            KeyStates states{};
            EvdevKeyboard keyboard;
            const auto press = keyboard.hookData(code, true);
            QVERIFY2(press, qPrintable(QString::number(code)));
            const auto pressReport = keyboardProcedure(tables, states, *press);
            QVERIFY2(pressReport && pressReport->usage == usage && pressReport->pressed,
                     qPrintable(QStringLiteral("evdev %1").arg(code)));
            const auto releaseReport = keyboardProcedure(tables, states, *keyboard.hookData(code, false));
            QVERIFY2(releaseReport && releaseReport->usage == usage && !releaseReport->pressed,
                     qPrintable(QStringLiteral("evdev %1 release").arg(code)));
            usages.insert(usage);
        }
        QCOMPARE(usages.size(), kScanTableSize);
        for (const KeyRow &row : keyRows())
            QVERIFY(usages.contains(row.usage));
    }

    void evdevWithoutScanCode_data()
    {
        QTest::addColumn<int>("code");
        QTest::newRow("right Windows (no translation)") << 126;
        QTest::newRow("84 (unused)") << 84;
        QTest::newRow("volume up") << 115;
        QTest::newRow("0") << 0;
        QTest::newRow("negative") << -3;
    }
    void evdevWithoutScanCode()
    {
        QFETCH(int, code);
        KeyTables tables;
        tables.fill();
        KeyStates states{};
        EvdevKeyboard keyboard;
        const auto hook = keyboard.hookData(code, true);
        QVERIFY(!hook || !keyboardProcedure(tables, states, *hook));
    }

    // Modifier-dependent keys and the Alt flag, through whole sequences of evdev events.
    void evdevModifiers_data()
    {
        QTest::addColumn<EvdevEvents>("events");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("Alt + Print Screen")
            << EvdevEvents{{56, true}, {99, true}, {99, false}, {56, false}} << QStringList{"E2+", "46+", "46-", "E2-"};
        QTest::newRow("Print Screen released after Alt")
            << EvdevEvents{{100, true}, {99, true}, {100, false}, {99, false}} << QStringList{"E6+", "46+", "E6-", "46-"};
        QTest::newRow("Ctrl + Pause (Break)")
            << EvdevEvents{{97, true}, {119, true}, {119, false}, {97, false}} << QStringList{"E4+", "48+", "48-", "E4-"};
        QTest::newRow("Pause alone") << EvdevEvents{{119, true}, {119, false}} << QStringList{"48+", "48-"};
        QTest::newRow("repeated press of 1") << EvdevEvents{{2, true}, {2, true}, {2, false}} << QStringList{"1E+", "1E-"};
    }
    void evdevModifiers()
    {
        QFETCH(EvdevEvents, events);
        QFETCH(QStringList, expected);
        EvdevKeyboard keyboard;
        QList<KeyHookData> hooks;
        for (const auto &[code, pressed] : events)
            hooks << *keyboard.hookData(code, pressed);
        QCOMPARE(reports(hooks), expected);
    }

    void evdevHookFlags()
    {
        EvdevKeyboard keyboard;
        const KeyHookData plain = *keyboard.hookData(99, true);
        QCOMPARE(plain.scanCode, 0x37u);
        QCOMPARE(plain.flags, kFlagExtended);
        QCOMPARE(plain.message, kKeyDown);
        keyboard.hookData(56, true);
        const KeyHookData withAlt = *keyboard.hookData(99, false);
        QCOMPARE(withAlt.scanCode, 0x54u);
        QCOMPARE(withAlt.flags, kFlagAltDown | kFlagReleased);
        QCOMPARE(withAlt.message, kSysKeyUp);
    }

    void xButtons_data()
    {
        QTest::addColumn<uint>("button");
        QTest::addColumn<uint>("down");
        QTest::addColumn<uint>("up");
        QTest::newRow("1 left") << 1u << 0x201u << 0x202u;
        QTest::newRow("2 middle") << 2u << 0x207u << 0x208u;
        QTest::newRow("3 right") << 3u << 0x204u << 0x205u;
        QTest::newRow("4 wheel up") << 4u << 0u << 0u;
        QTest::newRow("7 wheel right") << 7u << 0u << 0u;
        QTest::newRow("8 back") << 8u << 0u << 0u;
        QTest::newRow("0") << 0u << 0u << 0u;
    }
    void xButtons()
    {
        QFETCH(uint, button);
        QFETCH(uint, down);
        QFETCH(uint, up);
        QCOMPARE(mouseMessageForXButton(button, true), down);
        QCOMPARE(mouseMessageForXButton(button, false), up);
    }
};

QTEST_GUILESS_MAIN(TestKeyTranslation)
#include "tst_key_translation.moc"
