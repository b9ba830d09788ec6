// SPDX-License-Identifier: GPL-3.0-or-later
// The challenge handshake that decides whether a listed device is ours.

#include "challenge.h"
#include "message_capture.h"
#include "rig.h"

#include <QTest>

using vmouse::Kind;

namespace {

QByteArray challengeSent()
{
    const auto sent = fixture::events({Kind::FeatureOut});
    return sent.empty() ? QByteArray() : fixture::bytes(sent.back().plain).mid(2, 4);
}

}  // namespace

class TestHandshake : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { hid_init(); }

    void passOrFail_data()
    {
        QTest::addColumn<bool>("deviceEncoded");
        QTest::addColumn<QString>("deviceCode");
        QTest::addColumn<bool>("echoes");
        QTest::addColumn<bool>("stalls");
        QTest::addColumn<bool>("entryEncoded");
        QTest::addColumn<QString>("entryCode");
        QTest::addColumn<bool>("passes");
        QTest::newRow("encoded, same code") << true << "318274" << true << false << true << "318274" << true;
        QTest::newRow("encoded, other code") << true << "ABCDEF" << true << false << true << "318274" << false;
        QTest::newRow("encoded, own code") << true << "ABCDEF" << true << false << true << "ABCDEF" << true;
        QTest::newRow("plain device that echoes") << false << "318274" << true << false << false << "318274" << true;
        QTest::newRow("plain device, code irrelevant") << false << "ABCDEF" << true << false << false << "318274" << true;
        QTest::newRow("foreign device answering zeros") << false << "318274" << false << false << false << "318274" << false;
        QTest::newRow("list says plain, device encoded") << true << "318274" << true << false << false << "318274" << false;
        QTest::newRow("list says encoded, device plain") << false << "318274" << true << false << true << "318274" << false;
        QTest::newRow("device does not answer") << true << "318274" << true << true << true << "318274" << false;
    }
    void passOrFail()
    {
        QFETCH(bool, deviceEncoded);
        QFETCH(QString, deviceCode);
        QFETCH(bool, echoes);
        QFETCH(bool, stalls);
        QFETCH(bool, entryEncoded);
        QFETCH(QString, entryCode);
        QFETCH(bool, passes);

        vmouse::DeviceSpec spec = mouseSpec(vmouse::Family::F553, deviceEncoded);
        spec.secrecyCode = deviceCode.toStdString();
        spec.echoesChallenge = echoes;
        spec.stalls = stalls;
        Rig rig(spec);
        rig.hid.deviceList.prepend(fixture::absentEntry());
        rig.hid.deviceList[1].isEncode = entryEncoded;
        rig.hid.deviceList[1].sCode = entryCode;
        std::fill(std::begin(rig.hid.deviceSecrecyCode), std::end(rig.hid.deviceSecrecyCode), 0);

        QCOMPARE(rig.hid.chkDeviceIsEnCode(1), passes);
        QCOMPARE(rig.hid.currentDeviceIndex, 1);   // whatever the outcome
        QVERIFY(rig.hid.hidIdle);

        const auto c = challenge::fromSeed(uint32_t(rig.sleeper.epochSeconds()));
        if (!stalls) {
            const auto sent = fixture::events({Kind::FeatureOut});
            QCOMPARE(int(sent.size()), 1);
            // What the device saw after unscrambling with its own code: the challenge only when the codes
            // and the encoding agree.
            if (passes)
                QCOMPARE(challengeSent(), fixture::bytes(c.data(), 4));
        }
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(rig.hid.deviceSecrecyCode) + 1, 6), entryCode.toLatin1());
    }

    void sameChallengeWithinOneSecond()
    {
        Rig rig(mouseSpec(vmouse::Family::F553, true));
        rig.sleeper.nowMs = 1000 * 50 + 10;
        QVERIFY(rig.hid.chkDeviceIsEnCode(0));
        const QByteArray first = challengeSent();
        rig.sleeper.nowMs += 900;   // same whole second
        QVERIFY(rig.hid.chkDeviceIsEnCode(0));
        QCOMPARE(challengeSent(), first);
        rig.sleeper.nowMs += 100;   // the next second
        QVERIFY(rig.hid.chkDeviceIsEnCode(0));
        QVERIFY(challengeSent() != first);
        QCOMPARE(first, fixture::bytes(challenge::fromSeed(uint32_t(rig.sleeper.epochBase + 50)).data(), 4));
    }

    // The untouched answer of a command that could not claim the transport still holds the challenge;
    // the device was never asked, so the handshake fails.
    void busyTransportFailsTheHandshake()
    {
        Rig rig(mouseSpec(vmouse::Family::F553, true));
        MessageCapture messages;
        rig.hid.hidIdle = false;
        QVERIFY(!rig.hid.chkDeviceIsEnCode(0));
        QVERIFY(messages.contains("cmd Failed 00"));
        QVERIFY(vmouse::log().empty());
    }

    // A code that is not six characters long is ignored: the previous entry's code stays in use.
    void codeOfOtherLengthKeepsThePreviousCode_data()
    {
        QTest::addColumn<QString>("code");
        QTest::newRow("empty") << "";
        QTest::newRow("five") << "31827";
        QTest::newRow("seven") << "3182740";
    }
    void codeOfOtherLengthKeepsThePreviousCode()
    {
        QFETCH(QString, code);
        vmouse::DeviceSpec spec = mouseSpec(vmouse::Family::F553, true);
        spec.secrecyCode = "Zq9!x2";
        Rig rig(spec);
        QVERIFY(rig.hid.chkDeviceIsEnCode(0));
        rig.entry().sCode = code;
        QVERIFY(rig.hid.chkDeviceIsEnCode(0));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(rig.hid.deviceSecrecyCode), 8),
                 QByteArray("\0Zq9!x2\0", 8));
    }

    void missingEntryFailsWithoutTraffic()
    {
        Rig rig;
        QVERIFY(!rig.hid.chkDeviceIsEnCode(7));
        QCOMPARE(rig.hid.currentDeviceIndex, 7);
        QVERIFY(vmouse::log().empty());
        QVERIFY(rig.hid.hidIdle);
    }

    void handshakeSurvivesAFailedExchange()
    {
        Rig rig(mouseSpec(vmouse::Family::F553, true));
        vmouse::injectFault(vmouse::Fn::GetFeature, 1);
        QVERIFY(!rig.hid.chkDeviceIsEnCode(0));
        QVERIFY(rig.hid.chkDeviceIsEnCode(0));
    }
};

QTEST_GUILESS_MAIN(TestHandshake)
#include "tst_handshake.moc"
