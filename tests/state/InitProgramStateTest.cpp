#include <gtest/gtest.h>

#include "state/InitProgramState.h"

using namespace ql;

TEST(InitProgramState, StartValuesDescribeAPlausibleInstrument)
{
    ProgramState s;
    initProgramState(s, "/home/u");
    EXPECT_EQ(s.ddf.digitalMode, 1);
    EXPECT_EQ(s.ddf.ch1On, 1);
    EXPECT_EQ(s.ddf.ch2On, 1);
    EXPECT_EQ(s.ddf.ref1On, 1);
    EXPECT_EQ(s.ddf.ref2On, 1);
    EXPECT_EQ(s.ddf.ch1VoltsIndex, 8);
    EXPECT_EQ(s.ddf.ch1ProbeFactor, 10);
    EXPECT_EQ(s.ddf.tbAIndex, 17);
    EXPECT_EQ(s.ddf.tbBIndex, 20);
    EXPECT_EQ(s.ddf.horPosition, 512);
    EXPECT_EQ(s.ddf.averageIndex, 4);
    EXPECT_EQ(s.ddf.pretriggerIndex, 3);
    EXPECT_EQ(s.ddf.ch1Variable, 255);
    EXPECT_EQ(s.ddf.readoutIntensity, 60);
    EXPECT_EQ(s.cursor.cursor1Pos, 500);
    EXPECT_EQ(s.cursor.cursor2Pos, 1500);
    EXPECT_EQ(s.screen.screenBusy, 1);
    EXPECT_EQ(s.screen.noDataYet, 1);
    EXPECT_EQ(s.screen.delayStep, 25);
    EXPECT_EQ(s.storage.setupSlot, 1);
    EXPECT_EQ(s.fft.fftWindowCode, 2);
    EXPECT_EQ(s.fft.fftSpan, 512);
    EXPECT_DOUBLE_EQ(s.fft.fftCursorCh1, 30.0);
    EXPECT_FLOAT_EQ(s.harm.harmVoltsPerAmp, 0.1f);
    EXPECT_FLOAT_EQ(s.harm.harmLineFreq, 50.0f);
    EXPECT_EQ(s.print.printHeadline.trimmed(), "KORVA Instruments");
    EXPECT_EQ(s.print.printXY, 0);
    EXPECT_EQ(s.print.printMeasTime, 1);
    EXPECT_EQ(s.stamp.waveTime.str(), "--:--:--  ");
    EXPECT_EQ(s.stamp.waveDate.str(), "--.--.--  ");
    EXPECT_EQ(s.autoStore.autoStoreMinutes, 10);
    EXPECT_EQ(s.autoStore.autoStorePrefix, "/home/u/AutostoreXXX");
    EXPECT_EQ(s.user.userVatId.trimmed(), "Not applicable");
    EXPECT_FALSE(s.user.userCompany.trimmed().empty());
    EXPECT_EQ(s.user.userEmail.trimmed(), "");
    EXPECT_EQ(s.language, 0);
    EXPECT_EQ(s.link.comPort, 0);
    EXPECT_FALSE(s.caps.unitDigimodea);
}

TEST(InitProgramState, LongAutostoreFolderIsKeptWhole)
{
    ProgramState s;
    initProgramState(s, "/home/somebody/.local/share/ql240");
    EXPECT_EQ(s.autoStore.autoStorePrefix, "/home/somebody/.local/share/ql240/AutostoreXXX");
}
