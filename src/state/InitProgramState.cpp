#include "InitProgramState.h"

namespace ql {

void initProgramState(ProgramState& s, const std::string& autostoreFolder)
{
    // Analysis options.
    s.fft.fftWindowCode = 2;
    s.fft.fftLogFlag = 0;
    s.fft.fftZoomCode = 2;
    s.harm.harmWindowCode = 2;
    s.harm.harmMaxHold = 1;
    s.harm.harmSpanCode = 2;
    s.harm.harmLimitName.assign("");
    s.harm.harmPrintHeadline.assign("");
    s.harm.harmAutoFreq = 1;
    s.harm.harmSpan = 512;
    s.fft.fftSpan = 512;
    s.fft.fftScrollPos = 0;
    s.fft.fftCursorCh1 = 30.0;
    s.fft.fftCursorCh2 = 30.0;
    s.harm.harmVoltsPerAmp = 0.1f;
    s.harm.harmLineFreq = 50.0f;
    s.harm.harmPowerFactor = 1.0f;
    s.fft.fftActive = 0;

    s.autoStore.autoStoreAsTable = 0;
    s.tbB.tbBWindowOn = 0;
    s.screen.screenBusy = 1;  // no redraw until start-up has finished

    s.stamp.waveTime.assign("--:--:--");
    s.stamp.waveDate.assign("--.--.--");

    s.ddf.bandwidthLimit = 0;
    s.screen.xyVectors = 0;

    s.parDefaultsGenerated = 0;
    s.ddf.savedCh1On = 1;
    s.ddf.savedCh2On = 1;
    s.cursor.cursorOnRef = 0;
    s.trigStatus.trigStatus = 0;

    s.print.printHeadline.assign("KORVA Instruments");
    s.screen.noDataYet = 1;

    s.print.printChI = 1;
    s.print.printChII = 1;
    s.print.printRefI = 1;
    s.print.printRefII = 1;
    s.print.printCursors = 1;
    s.print.printNotes = 1;
    s.print.printXY = 0;
    s.print.printMeasTime = 1;
    s.print.printColor = 0;

    s.ddf.digitalMode = 1;
    s.ddf.ch1Variable = 255;
    s.ddf.ch2Variable = 255;
    s.ddf.tbAIntensity = 60;
    s.ddf.tbBIntensity = 60;
    s.ddf.readoutIntensity = 60;

    s.screen.scrollResyncPending = 1;
    s.storage.setupSlot = 1;
    s.identity.firmwareVersion = 0.0f;

    s.zoom.zoomDrawing = 0;
    s.zoomMarks.zoomCursorMarksDrawn = 0;
    s.zoom.zoomOpen = 0;
    s.zoom.zoomDragging = 0;
    s.cursor.cursorGrabbed = 0;

    s.screen.delayStep = 25;
    s.screen.screenDirty = 0;
    s.link.autoUpdate = 0;
    s.link.remoteHeld = 0;

    s.ddf.horPosition = 512;
    s.ddf.ch1On = 1;
    s.ddf.ch2On = 1;
    s.ddf.ref1On = 1;
    s.ddf.ref2On = 1;
    s.storage.holdWaveform = 0;
    s.cursor.cursor1Pos = 500;
    s.cursor.cursor2Pos = 1500;
    s.screenMarks.screenCursorsDrawn = 0;
    s.ddf.averageIndex = 4;
    s.ddf.pretriggerIndex = 3;
    s.ddf.tbAIndex = 17;
    s.ddf.tbBIndex = 20;
    s.ddf.ch1VoltsIndex = 8;
    s.ddf.ch2VoltsIndex = 8;

    fillScaleTables(s.tables, s.tbRange);

    s.ddf.ch1ProbeFactor = 10;
    s.ddf.ch2ProbeFactor = 10;
    s.notesText.assign("");

    s.autoStore.autoStorePrefix = autostoreFolder + "/AutostoreXXX";
    s.autoStore.autoStoreMinutes = 10;

    s.user = UserContact{};
    s.user.userCompany.assign("Private person (no company)");
    s.user.userVatId.assign("Not applicable");
}

}  // namespace ql
