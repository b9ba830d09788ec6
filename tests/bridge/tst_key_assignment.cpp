// SPDX-License-Identifier: GPL-3.0-or-later
// Button assignment on the wire, both families: what the profile keeps, the matrices the device receives
// (the built-in set, macros, sniper, the fixed slots, gun keys with their gun matrices and gun mode),
// restoring the gun matrices, switching matrices, and short lists.

#include "bridge_fixture.h"
#include "message_capture.h"

#include <QSettings>
#include <QTest>

using vmouse::Family;
using Entries = std::vector<std::array<int, 4>>;

Q_DECLARE_METATYPE(vmouse::Family)

namespace {

// The matrix the built-in set becomes on the device; also the default matrix of the shipped profiles.
const Entries kBuiltInSent = {{1, 0, 0xF0, 0}, {1, 0, 0xF1, 0}, {1, 0, 0xF2, 0}, {1, 0, 0xF4, 0},
                              {1, 0, 0xF3, 0}, {7, 0, 3, 0},    {5, 0, 3, 0},    {7, 0, 1, 0},
                              {13, 0, 0, 0},   {13, 1, 0, 0},   {1, 0, 0, 0},    {1, 0, 0, 0},
                              {14, 0, 0, 0},   {1, 0, 0, 0},    {4, 0, 1, 0},    {4, 0, 2, 0}};

// 64 bytes of a matrix, with some slots replaced.
QByteArray matrix(const Entries &entries, std::initializer_list<std::pair<int, std::array<int, 4>>> changes = {})
{
    Entries e = entries;
    for (const auto &[slot, entry] : changes)
        e[size_t(slot)] = entry;
    QByteArray out;
    for (const auto &entry : e)
        for (int v : entry)
            out.append(char(v));
    return out;
}

// What the 560 key-matrix command carries: the 64 bytes and 64 zeros.
QByteArray as560(const QByteArray &matrix64)
{
    return matrix64 + QByteArray(64, 0);
}

QVariantList withButton(int button, std::array<int, 4> entry)
{
    Entries set = ::builtInSet();
    set[size_t(button)] = entry;
    return assignments(set);
}

QVariantList numbers(std::initializer_list<int> values)
{
    QVariantList list;
    for (int v : values)
        list.append(v);
    return list;
}

void addFamilies()
{
    QTest::addColumn<Family>("family");
    QTest::newRow("553") << Family::F553;
    QTest::newRow("560") << Family::F560;
}

}  // namespace

class TestKeyAssignment : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { hid_init(); }

    // The 16 keys are written in assignment form whether or not anything is sent.
    void storesEveryButton_data()
    {
        QTest::addColumn<bool>("send");
        QTest::newRow("without sending") << false;
        QTest::newRow("and sending") << true;
    }
    void storesEveryButton()
    {
        QFETCH(bool, send);
        BridgeFixture f(Family::F553);
        QVariantList set = withButton(3, {4, 1, 3, 0});
        set[40] = QStringLiteral("7");   // stored as the interface gave it
        f.view().mouseSetKeyMatrix(set, send, {});
        f.view().profileSettings[0]->sync();
        const QByteArray p1 = f.read(QStringLiteral("modules/setting/p1.bin"));
        QVERIFY(p1.contains("\n3=4, 1, 3, 0\n"));
        QVERIFY(p1.contains("\n7=0, 240, 30, 2\n"));
        QVERIFY(p1.contains("\n10=7, 0, 0, 0\n"));
        QVERIFY(p1.contains("\n15=255, 0, 2, 0\n"));
        QCOMPARE(f.view().mouseGetKeydefine(3, false), numbers({4, 1, 3, 0}));
        QCOMPARE(f.commands().size(), size_t(send ? 1 : 0));
    }

    void storesIntoTheCurrentProfile()
    {
        BridgeFixture f(Family::F553);
        f.view().setCurrentProfile(4);
        QCOMPARE(f.view().currentProfile, 4);
        f.view().mouseSetKeyMatrix(withButton(2, {2, 1, 4, 5}), false, {});
        QCOMPARE(f.view().mouseGetKeydefine(2, false), numbers({2, 1, 4, 5}));
        f.view().setCurrentProfile(0);
        QCOMPARE(f.view().mouseGetKeydefine(QStringLiteral("2"), false).size(), 4);
        QVERIFY(f.view().mouseGetKeydefine(2, false) != numbers({2, 1, 4, 5}));
    }

    void readsTheDefaultProfileOnRecovery()
    {
        BridgeFixture f(Family::F553);
        f.view().mouseSetKeyMatrix(withButton(1, {3, 0, 0xE9, 0}), false, {});
        QCOMPARE(f.view().mouseGetKeydefine(1, false), numbers({3, 0, 0xE9, 0}));
        const QVariantList fromDefault = f.view().mouseGetKeydefine(1, true);
        QCOMPARE(fromDefault.size(), 4);
        QCOMPARE(fromDefault.at(2).toInt(), 0xF1);
        QVERIFY(f.view().mouseGetKeydefine(16, false).isEmpty());
        QVERIFY(f.view().mouseGetKeydefine(QStringLiteral("nothing"), true).isEmpty());
    }

    // The built-in set is the primary matrix, sent in one command with matrix number 1.
    void builtInSetInOneCommand_data() { addFamilies(); }
    void builtInSetInOneCommand()
    {
        QFETCH(Family, family);
        BridgeFixture f(family);
        f.view().mouseSetKeyMatrix(assignments(::builtInSet()), true, {});
        const auto sent = f.commands();
        QCOMPARE(sent.size(), size_t(1));
        if (family == Family::F553) {
            QCOMPARE(sent[0].head(), QByteArray("12 01 40 08 00 00 00"));
            QCOMPARE(hex(sent[0].payload), hex(matrix(kBuiltInSent)));
            QCOMPARE(f.sleeper.pauses, (std::vector<int>{64, 64, 120, 120, 64, 64}));
        } else {
            QCOMPARE(sent[0].head(), QByteArray("0d 01 80 00 00 00 00"));
            QCOMPARE(hex(sent[0].payload), hex(as560(matrix(kBuiltInSent))));
        }
    }

    // One button's assignment and the entry of its slot on each family.
    void oneAssignment_data()
    {
        QTest::addColumn<Family>("family");
        QTest::addColumn<int>("button");
        QTest::addColumn<QVariantList>("assignment");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QByteArray>("entry");
        for (Family family : {Family::F553, Family::F560}) {
            const char *name = family == Family::F553 ? "553" : "560";
            QTest::addRow("%s double click", name) << family << 0 << numbers({0, 0xF0, 0x1E, 2}) << 0 << bytes({10, 0xF0, 0x1E, 2});
            QTest::addRow("%s fire 30 ms twice", name) << family << 0 << numbers({1, 0xF0, 30, 2}) << 0 << bytes({10, 0xF0, 0x1E, 2});
            QTest::addRow("%s macro on button 3", name) << family << 3 << numbers({4, 1, 3, 0}) << 3 << bytes({9, 1, 4, 0});
            QTest::addRow("%s button 5 in slot 7", name) << family << 5 << numbers({3, 0, 0xCD, 0}) << 7 << bytes({3, 0, 0xCD, 0});
            QTest::addRow("%s numbers cut to bytes", name) << family << 10 << numbers({2, 0x101, -1, 0x1E0}) << 10 << bytes({0, 1, 0xFF, 0xE0});
        }
        QTest::newRow("553 sniper") << Family::F553 << 1 << numbers({5, 0, 4, 0}) << 1 << bytes({7, 0, 4, 2});
        QTest::newRow("560 sniper") << Family::F560 << 1 << numbers({5, 0, 4, 0}) << 1 << bytes({11, 0, 1, 1});
    }
    void oneAssignment()
    {
        QFETCH(Family, family);
        QFETCH(int, button);
        QFETCH(QVariantList, assignment);
        QFETCH(int, slot);
        QFETCH(QByteArray, entry);
        BridgeFixture f(family);
        QVariantList set = assignments(::builtInSet());
        for (int i = 0; i < 4; ++i)
            set[button * 4 + i] = assignment[i];
        f.view().mouseSetKeyMatrix(set, true, {});
        const auto sent = f.commands();
        QCOMPARE(sent.size(), size_t(1));
        QCOMPARE(hex(sent[0].payload.mid(slot * 4, 4)), hex(entry));
        // Every other slot is the built-in one.
        QByteArray rest = sent[0].payload.left(64);
        rest.replace(slot * 4, 4, matrix(kBuiltInSent).mid(slot * 4, 4));
        QCOMPARE(hex(rest), hex(matrix(kBuiltInSent)));
    }

    // Buttons 6 to 9 and 12 are kept in the profile, never sent: not even a gun there sends gun matrices.
    void fixedButtonsStoredNotSent_data() { addFamilies(); }
    void fixedButtonsStoredNotSent()
    {
        QFETCH(Family, family);
        BridgeFixture f(family);
        QVariantList set = assignments(::builtInSet());
        for (int button : {6, 7, 8, 9, 12})
            for (int i = 0; i < 4; ++i)
                set[button * 4 + i] = std::array<int, 4>{8, 0, 3, 0}[size_t(i)];
        f.view().mouseSetKeyMatrix(set, true, numbers({1, 2, 3}));
        QCOMPARE(f.commands().size(), size_t(1));
        QCOMPARE(hex(f.commands()[0].payload.left(64)), hex(matrix(kBuiltInSent)));
        for (int button : {6, 7, 8, 9, 12})
            QCOMPARE(f.view().mouseGetKeydefine(button, false), numbers({8, 0, 3, 0}));
        QCOMPARE(f.view().profileBlocks[0][2], uchar(0));
    }

    // A key with three guns: the primary matrix and three gun matrices built from the profile's default
    // matrix, then the primary matrix made active again; the 560 family first sends block 0 with gun
    // mode 0x1F.
    void threeGunKey_data() { addFamilies(); }
    void threeGunKey()
    {
        QFETCH(Family, family);
        BridgeFixture f(family, {.gun = true});
        f.view().mouseSetKeyMatrix(withButton(3, {8, 0, 3, 0}), true, numbers({9, 10, 11}));
        const auto sent = f.commands();
        const bool is560 = family == Family::F560;
        QCOMPARE(sent.size(), size_t(is560 ? 6 : 5));

        if (!is560) {
            const QList<QByteArray> expected = {
                matrix(kBuiltInSent, {{3, {8, 0, 1, 1}}}),
                matrix(kBuiltInSent, {{0, {11, 0, 9, 0}}, {3, {8, 0, 1, 2}}}),
                matrix(kBuiltInSent, {{0, {11, 1, 10, 0}}, {3, {8, 0, 1, 3}}}),
                matrix(kBuiltInSent, {{0, {11, 2, 11, 0}}, {3, {8, 0, 1, 0}}})};
            for (int i = 0; i < 4; ++i) {
                QCOMPARE(sent[size_t(i)].head(), "12 0" + QByteArray::number(i + 1) + " 40 08 00 00 00");
                QCOMPARE(hex(sent[size_t(i)].payload), hex(expected[i]));
            }
            QCOMPARE(sent[4].head(), QByteArray("02 01 00 00 00 00 00"));
            QCOMPARE(f.state().currentKeyMatrix, uint8_t(1));
            return;
        }
        QCOMPARE(sent[0].head(), QByteArray("0c 00 80 00 00 00 00"));
        QCOMPARE(int(uchar(sent[0].payload[2])), 0x1F);
        QCOMPARE(f.view().profileBlocks[0][2], uchar(0x1F));
        const QList<QByteArray> expected = {
            matrix(kBuiltInSent, {{3, {8, 0, 1, 0}}}),
            matrix(kBuiltInSent, {{0, {11, 0, 9, 0}}, {3, {8, 0, 3, 0}}}),
            matrix(kBuiltInSent, {{0, {11, 1, 10, 0}}, {3, {8, 0, 3, 0}}}),
            matrix(kBuiltInSent, {{0, {11, 2, 11, 0}}, {3, {8, 0, 0, 0}}})};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(sent[size_t(i + 1)].head(), "0d 0" + QByteArray::number(i + 1) + " 80 00 00 00 00");
            QCOMPARE(hex(sent[size_t(i + 1)].payload), hex(as560(expected[i])));
        }
        QCOMPARE(sent[5].head(), QByteArray("02 01 00 00 00 00 00"));
        QCOMPARE(f.state().currentProfile, uint8_t(1));
    }

    // The gun mode byte follows the gun count; the rest of block 0 stays as last read from the device.
    void gunModeByGunCount_data()
    {
        QTest::addColumn<int>("guns");
        QTest::addColumn<int>("mode");
        QTest::newRow("one") << 1 << 0x07;
        QTest::newRow("two") << 2 << 0x0F;
        QTest::newRow("three") << 3 << 0x1F;
        QTest::newRow("none: unchanged") << 0 << 0x55;
    }
    void gunModeByGunCount()
    {
        QFETCH(int, guns);
        QFETCH(int, mode);
        BridgeFixture f(Family::F560, {.gun = true});
        std::fill(std::begin(f.view().profileBlocks[0]), std::end(f.view().profileBlocks[0]), uchar(0x55));
        f.view().mouseSetKeyMatrix(withButton(4, {8, 0, guns, 0}), true, numbers({1, 2, 3}));
        const auto sent = f.commands();
        QCOMPARE(sent.front().head(), QByteArray("0c 00 80 00 00 00 00"));
        QByteArray expected(128, char(0x55));
        expected[2] = char(mode);
        QCOMPARE(hex(sent.front().payload), hex(expected));
    }

    // Short lists are padded with zeros: missing buttons are stored and sent as empty assignments, missing
    // fire periods are 0, short default entries end in zeros.
    void shortListsArePadded()
    {
        BridgeFixture f(Family::F553, {.gun = true});
        MessageCapture messages;
        f.view().setDataList(QStringLiteral("mouseFwKeyMatrix/5"), numbers({7, 6}));
        f.view().profileSettings[0]->remove(QStringLiteral("mouseFwKeyMatrix/6"));
        // Button 3 is a gun key with three guns whose last number is missing, and so are buttons 4 to 15.
        const QVariantList set = withButton(3, {8, 0, 3, 0}).mid(0, 15);
        f.view().mouseSetKeyMatrix(set, true, numbers({9}));
        QCOMPARE(f.view().mouseGetKeydefine(3, false), numbers({8, 0, 3, 0}));
        QCOMPARE(f.view().mouseGetKeydefine(15, false), numbers({0, 0, 0, 0}));
        const auto sent = f.commands();
        QCOMPARE(sent.size(), size_t(5));
        QCOMPARE(hex(sent[0].payload.mid(60, 4)), QByteArray("01 00 00 00"));
        QCOMPARE(hex(sent[2].payload.left(4)), QByteArray("0b 01 00 00"));
        QCOMPARE(hex(sent[1].payload.mid(20, 8)), QByteArray("07 06 00 00 00 00 00 00"));
        QVERIFY(messages.contains(QStringLiteral("mouseSetKeyMatrix: only 15 of 64 numbers; the missing ones count as 0")));
        QVERIFY(messages.contains(QStringLiteral("mouseSetKeyMatrix: only 1 of 3 fire periods; the missing ones count as 0")));
        QVERIFY(messages.contains(QStringLiteral("mouseFwKeyMatrix/6 holds 0 of 4 numbers; the missing ones count as 0")));
    }

    // The device's default matrix goes out as matrices 2, 3 and 4; matrix 1 and the profile stay.
    void resetSendsDefaultGunMatrices_data() { addFamilies(); }
    void resetSendsDefaultGunMatrices()
    {
        QFETCH(Family, family);
        BridgeFixture f(family);
        const QByteArray before = f.read(QStringLiteral("modules/setting/p1.bin"));
        f.view().mouseResetKeyMatrix();
        f.view().profileSettings[0]->sync();
        const auto sent = f.commands();
        QCOMPARE(sent.size(), size_t(3));
        for (int i = 0; i < 3; ++i) {
            const QByteArray number = QByteArray::number(i + 2);
            if (family == Family::F553) {
                QCOMPARE(sent[size_t(i)].head(), "12 0" + number + " 40 08 00 00 00");
                QCOMPARE(hex(sent[size_t(i)].payload), hex(matrix(kBuiltInSent)));
            } else {
                QCOMPARE(sent[size_t(i)].head(), "0d 0" + number + " 80 00 00 00 00");
                QCOMPARE(hex(sent[size_t(i)].payload), hex(as560(matrix(kBuiltInSent))));
            }
        }
        QCOMPARE(f.read(QStringLiteral("modules/setting/p1.bin")), before);
    }

    void switchKeyMatrix_data()
    {
        QTest::addColumn<Family>("family");
        QTest::addColumn<int>("index");
        QTest::addColumn<QByteArray>("head");
        QTest::newRow("553 matrix 1") << Family::F553 << 1 << QByteArray("02 00 00 00 00 00 00");
        QTest::newRow("553 matrix 4") << Family::F553 << 4 << QByteArray("02 03 00 00 00 00 00");
        QTest::newRow("560 matrix 1") << Family::F560 << 1 << QByteArray("02 01 00 00 00 00 00");
        QTest::newRow("560 matrix 3") << Family::F560 << 3 << QByteArray("02 03 00 00 00 00 00");
        QTest::newRow("553 matrix 0 wraps") << Family::F553 << 0 << QByteArray("02 ff 00 00 00 00 00");
    }
    void switchKeyMatrix()
    {
        QFETCH(Family, family);
        QFETCH(int, index);
        QFETCH(QByteArray, head);
        BridgeFixture f(family);
        f.view().mouseSwitchKeyMatrix(index);
        QCOMPARE(f.heads(), QList<QByteArray>{head});
    }

    // Before the host window sets the device object, nothing is sent and the assignments are still kept.
    void noDeviceObject()
    {
        BridgeFixture f(Family::F553);
        f.view().hidThread = nullptr;
        MessageCapture messages;
        f.view().mouseSetKeyMatrix(withButton(2, {2, 1, 4, 5}), true, {});
        f.view().mouseResetKeyMatrix();
        f.view().mouseSwitchKeyMatrix(1);
        QVERIFY(f.commands().empty());
        QCOMPARE(f.view().mouseGetKeydefine(2, false), numbers({2, 1, 4, 5}));
        QVERIFY(messages.contains(QStringLiteral("mouseSetKeyMatrix skipped: no device object yet")));
    }
};

QTEST_MAIN(TestKeyAssignment)
#include "tst_key_assignment.moc"
