#pragma once
// The one program-wide state. Every subsystem reads and writes these named groups; the state
// is passed by reference, never reached through a global, so each test starts afresh.
// Field widths follow the instrument's data model: bytes, 16-bit and 32-bit integers,
// single-precision numbers and fixed-length texts.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "Clock.h"
#include "ScaleTables.h"
#include "Text.h"

namespace ql {

using byte = std::uint8_t;

enum class ToolWindow;  // ToolWindow.h

// Number of elements of a waveform array: indexes 0..2050. A transfer fills 1..2047, drawing
// and analysis use 1..2046, measurement files store 1..2050.
constexpr int kWaveArraySize = 2051;
constexpr int kFirstSample = 1;
constexpr int kLastTransferredSample = 2047;
constexpr int kLastShownSample = 2046;
using Waveform = std::array<std::int16_t, kWaveArraySize>;

// The instrument's front-panel settings: the 14-byte main block ("ddf"), the eight words of
// "ddf1", the readout block, the opaque "ddf2" and "measddf" blocks and related values.
struct DdfSettings {
    // Main block, one field per bit group.
    byte ch1Coupling = 0, ch1Invert = 0, ch1On = 0, ch1VoltsIndex = 0;
    byte ch2Coupling = 0, ch2Invert = 0, ch2On = 0, ch2VoltsIndex = 0;
    byte trigAlternate = 0, bandwidthLimit = 0, verChop = 0, verAdd = 0, trigSource = 0;
    byte singleShot = 0, tbAIndex = 0;
    byte trigSlopeB = 0, trigDelayOn = 0, tbBIndex = 0;
    byte componentTester = 0, xyMode = 0, xMag10 = 0, digitalMode = 0, peakDetect = 0;
    byte timebaseMode = 0;
    byte trigSlopeA = 0, trigLevelRelative = 0, trigMode = 0, trigCoupling = 0;
    byte ref2On = 0, ref1On = 0, pretriggerIndex = 0, storageMode = 0;
    byte ch2Variable = 0, ch1Variable = 0, traceSeparation = 0, ddfByte12 = 0;
    byte tbAIntensity = 0, tbBIntensity = 0;
    // Outside the block but moved with it.
    std::int16_t ch1ProbeFactor = 0, ch2ProbeFactor = 0;
    byte verModeByte = 0;
    byte savedCh1On = 0, savedCh2On = 0;  // channel on-states that XY display overrides

    // "ddf1": eight 16-bit values.
    std::int16_t trigLevelA = 0, tbAVariable = 0, horPosition = 0, ch2Position = 0;
    std::int16_t ch1Position = 0, trigLevelB = 0, tbBVariable = 0, delayPosition = 0;

    // "roddf": readout block.
    byte readoutIntensity = 0;
    std::int16_t readoutBit7 = 0, readoutBit5 = 0, readoutBit1 = 0;
    byte readoutBit6 = 0, readoutBit4 = 0, readoutBit3 = 0, readoutBit2 = 0, readoutBit0 = 0;
    std::int16_t readoutValue1 = 0, readoutValue2 = 0, readoutValue3 = 0, readoutValue4 = 0;

    // "ddf2" (elements 1..8) and "measddf" (bytes 1..22); element 0 unused.
    std::array<std::int16_t, 9> ddf2Data{};
    std::array<byte, 23> measDdfData{};
    std::int32_t pretriggerPosition = 0;

    std::int16_t averageIndex = 0;  // averaging setting 1..9 (2^n averages)
};

// The thirteen capability flags of the identified model (False until the first identification).
struct ModelCaps {
    bool unitDigimodea = false, unitDigimodec = false, unitDigimodec2 = false;
    bool unitAnalog = false, unitNotbb = false, unitXyinv = false, unitTbma = false;
    bool unitPk = false, unitMeasa = false, unitNewtbmode = false, unitPtVariabel = false;
    bool unitDdf2 = false, unitTrgypos = false;
};

struct InstrumentIdentity {
    FixedText<10> modelName;
    FixedText<20> firmwareText;
    float firmwareVersion = 0.0f;
    byte analogModel = 0;
};

struct SerialLink {
    std::int16_t comPort = 0;  // 1..4 as stored in the parameter file
    std::int32_t baudRate = 0;
    byte remoteHeld = 0;  // instrument held in remote; every command refuses otherwise
    byte autoUpdate = 0;  // the "Auto" check box
    byte autoPollCounter = 0;
    byte timer2Ticks = 0;
    // Whether the opaque "ddf2" / "measddf" blocks have been received in this run; until
    // then their bytes are not the instrument's and are never written back unread.
    bool ddf2Received = false;
    bool measDdfReceived = false;
    // The waveform hold the program set on the instrument itself, so that a read's records all
    // belong to one acquisition: outstanding from before its "hldwfm=1" until the instrument
    // has acknowledged `userHold`, the value it had before, again. The user's own hold never
    // appears here.
    struct ProgramHold {
        bool outstanding = false;
        byte userHold = 0;
    } programHold;
    // The instrument's copy request met on the line during an exchange, where an answer was
    // awaited: kept for the timer's next tick to serve as one found on the idle line.
    bool copyRequestKept = false;
};

// Re-entrancy guards of the single-threaded program.
struct BusyFlags {
    bool uiBusy = false;  // an operation holds the busy pointer
    int linkBusy = 0;     // depth of command exchanges and sequences in progress
    // "Exit" or the main window's close waits for the operation in progress: the program ends
    // as soon as it has ended, and nothing new starts meanwhile.
    bool exitPending = false;
    bool closePending = false;
};

inline bool programEnding(const BusyFlags& b)
{
    return b.exitPending || b.closePending;
}

struct WaveformSet {
    Waveform waveCh1{}, waveCh2{}, waveRef1{}, waveRef2{};
    // Advanced once each time new records are taken into the state (a read that transferred
    // records, the load of a measurement file), so an analysis can tell a new acquisition from
    // another redraw of the one in hand. A failed read or load leaves it as it was.
    std::uint32_t generation = 0;
    // The settings the records were read (or loaded) with: a record is scaled by these, not by
    // the panels' values edited since.
    DdfSettings readWith{};

    // New records, read or loaded with `settings`, have been taken in.
    void takeNew(const DdfSettings& settings)
    {
        ++generation;
        readWith = settings;
    }
};

struct WfmPreamble {
    std::int16_t wfmTrigPos = 0, wfmPre2 = 0, wfmPre3 = 0;
    std::int16_t ch1ZeroOffset = 0, ch2ZeroOffset = 0;  // the code of 0 V is value + 127
};

struct WaveformStamp {
    FixedText<10> waveTime;
    FixedText<10> waveDate;
};

struct TriggerStatus {
    byte trigStatus = 0;
    byte trigStatusDone = 0;
    byte trigStatusArmed = 0;
};

struct TrigCalibration {
    std::int16_t trgVal1 = 0, trgVal2 = 0, trgVal3 = 0, trgVal4 = 0;
    float trigRefVoltsA = 0.0f, trigRefVoltsB = 0.0f;
    float trigLevelMdiv = 0.0f;
};

struct TrigMark {
    std::int16_t trigMarkY = -1;  // 0..255, or 65535 (-1) for no mark
    std::int16_t trigMarkOnTrace = 0;
};

struct TrgPositions {
    std::int32_t trgPosA = 0, trgPosB = 0;
};

struct StorageExtras {
    byte holdWaveform = 0;
    std::int16_t ref1Pos = 0, ref2Pos = 0;  // reference trace offsets, -128..127
    std::int16_t setupSlot = 0;             // 1..9
};

struct TbBWindow {
    byte tbBWindowOn = 0;
    std::int16_t tbBWinFirst = 0, tbBWinLast = 0;
};

struct ScreenState {
    byte screenBusy = 0;   // redraw guard (1 during start-up)
    byte screenDirty = 0;  // redraw request served by the main timer
    byte scrollResyncPending = 0;
    byte noDataYet = 0;  // the screen shows its guide text
    byte xyVectors = 0;  // XY view joins points with lines
    byte delayStep = 0;
    // The screen window's scroll bar: HorPosition in the normal view (0..1023), the first step
    // shown in the magnified view (0..1800). The hardcopy reads it too.
    std::int16_t scrollValue = 900;
};

struct CursorState {
    std::int16_t cursor1Pos = 0, cursor2Pos = 0;  // sample indexes 1..2046
    byte cursorsOn = 0;
    byte cursorGrabbed = 0;
    byte cursorOnRef = 0;
};

struct ScreenCursorMarks {
    byte screenCursorsDrawn = 0;
    std::int16_t screenOldCursor1 = 0, screenOldCursor2 = 0;
    std::int16_t screenOldLevelA1 = 0, screenOldLevelA2 = 0;
    std::int16_t screenOldLevelB1 = 0, screenOldLevelB2 = 0;
};

struct ZoomState {
    std::int16_t zoomX1 = 0, zoomY1 = 0, zoomX2 = 0, zoomY2 = 0;
    std::int16_t zoomDragX = 0, zoomDragY = 0;
    byte zoomDragging = 0, zoomOpen = 0, zoomDrawing = 0;
};

struct ZoomCursorMarks {
    byte zoomCursorMarksDrawn = 0;
    std::int16_t zoomMarkCursor1Pos = 0, zoomMarkCursor2Pos = 0;
    std::int16_t zoomMarkCh1AtCursor1 = 0, zoomMarkCh1AtCursor2 = 0;
    std::int16_t zoomMarkCh2AtCursor1 = 0, zoomMarkCh2AtCursor2 = 0;
};

struct MeasurePoints {
    std::int16_t ch1Min = 0, ch1Max = 0, ch1MinIndex = 0, ch1MaxIndex = 0;
    std::int16_t ch2Min = 0, ch2Max = 0, ch2MinIndex = 0, ch2MaxIndex = 0;
    std::int16_t visFirst = 0, visLast = 0;
    std::int16_t ch1PeriodStart = 0, ch1PeriodEnd = 0;
    std::int16_t ch2PeriodStart = 0, ch2PeriodEnd = 0;
};

constexpr int kFftBufferSize = 2049;  // indexes 0..2048

struct FftView {
    byte fftActive = 0;
    byte fftWindowCode = 0;  // 1 Rectangle, 2 Hanning, 3 Welch, 4 Blackman
    byte fftLogFlag = 0;
    byte fftZoomCode = 0;
    std::int16_t fftSpan = 0, fftScrollPos = 0;
    double fftCursorCh1 = 0.0, fftCursorCh2 = 0.0;
    double fftMaxLevelCh1 = 0.0, fftMaxLevelCh2 = 0.0;
    double fftDualMax = 0.0, fftDualMin = 0.0;
    double fftDualCursorX = 0.0, fftDualCursorY = 0.0;
    double waveMeanLevel = 0.0;
};

// The six arrays the FFT reads and writes; the harmonics test reuses them.
struct FftBuffers {
    std::vector<double> fftSamples = std::vector<double>(kFftBufferSize);
    std::vector<double> fftImagIn = std::vector<double>(kFftBufferSize);
    std::vector<double> fftRealOut = std::vector<double>(kFftBufferSize);
    std::vector<double> fftImagOut = std::vector<double>(kFftBufferSize);
    std::vector<double> spectrumCh1 = std::vector<double>(kFftBufferSize);
    std::vector<double> spectrumCh2 = std::vector<double>(kFftBufferSize);
};

struct HarmView {
    byte obwActive = 0;
    byte harmWindowCode = 0;  // 1 Rectangle, 2 Hanning
    byte harmMaxHold = 0;
    byte harmSpanCode = 0;
    std::int16_t harmSpan = 0;
    byte harmAutoFreq = 0;
    float harmVoltsPerAmp = 0.0f;
    float harmLineFreq = 0.0f;
    FixedText<80> harmLimitName;
    FixedText<80> harmPrintHeadline;
    // Power factor 0..1 that scales the relative limits marked negative; checked where it is
    // entered, kept for the run only (files do not hold it).
    float harmPowerFactor = 0.0f;
};

// Overall result of the harmonics test: nothing judged, every judged harmonic passed, or at
// least one failed.
enum class OverallResult : byte { None = 0, Pass = 1, Fail = 2 };

struct HarmTestState {
    std::vector<double> harmAvgSpectrum = std::vector<double>(1051);  // indexes 0..1050
    // Weight of the next sweep in the average: 1 while the accumulation is empty, then one
    // more per sweep up to 64.
    std::int16_t harmAverageCount = 0;
    double harmFundamentalLevel = 0.0;
    std::int16_t harmPeakBin = 0;  // line of the last maximum found in the max-hold spectrum
    OverallResult harmOverallResult = OverallResult::None;
    // The waveform generation of the last sweep taken into the accumulation, the RMS of that
    // sweep's record in volts and the time per division every sweep of the accumulation was
    // read at.
    std::uint32_t harmSweptGeneration = 0;
    double harmSweepRmsVolts = 0.0;
    double harmSweepTimePerDiv = 0.0;
    // The first waveform generation that may enter the accumulation: a Start takes only the
    // records its own set-up and acquisition read, never one read before it (0: any record).
    std::uint32_t harmFirstGeneration = 0;
};

struct PrintOptions {
    FixedText<60> printHeadline;
    byte printChI = 0, printChII = 0, printRefI = 0, printRefII = 0, printCursors = 0;
    byte printNotes = 0, printXY = 0, printMeasTime = 0, printColor = 0;
    byte printPreviewOpen = 0;
};

struct ExportTarget {
    std::string exportFileName;
    bool exportToFile = false;
};

struct AutoStore {
    byte autoStoreActive = 0;
    byte autoStoreTimed = 0;  // 1 every N minutes, 0 after each trigger
    byte autoStorePrint = 0;
    byte autoStoreAsTable = 0;
    // Path and name stem of the numbered files, kept whole: a cut prefix would send the files
    // into another folder.
    std::string autoStorePrefix;
    std::int16_t autoStoreMinutes = 0;
    std::int32_t autoStoreCounter = 0;  // next file's number; 100000 once none is left
    DateTime autoStoreNextTime{};
    // Pause, Stop and Exit of the autostore window clicked while a store or read ran: taken at
    // once, carried out as soon as that step has ended; nothing more is stored meanwhile.
    bool pauseRequested = false;
    bool stopRequested = false;
    bool exitRequested = false;
};

// Placement of a tool window in twips; windowState 0 normal, 1 minimised, 2 maximised.
struct WindowPlacement {
    std::int16_t left = 0, top = 0, windowState = 0, width = 0, height = 0;
};

struct WindowLayout {
    byte automesVisible = 0;
    WindowPlacement measurementWindow;  // left and top only
    WindowPlacement printPreview, printerSettings;
    WindowPlacement screenWindow, xyView, zoomWindow, channelPanel;
    WindowPlacement triggerPanel, storagePanel, cursorWindow, intensityPanel;
    WindowPlacement timebasePanel;
    WindowPlacement analysisChart;  // FFT and harmonics windows: left, top, width, height
};

struct UserContact {
    FixedText<80> userCompany, userFirstName, userLastName, userStreet, userHouseNumber;
    FixedText<80> userPostalCode, userCity, userCountry, userVatId, userPhone, userFax;
    FixedText<80> userEmail;
};

struct ProgramState {
    DdfSettings ddf;
    ModelCaps caps;
    InstrumentIdentity identity;
    SerialLink link;
    BusyFlags busy;
    WaveformSet waves;
    WfmPreamble preamble;
    WaveformStamp stamp;
    ScaleTables tables;
    TimebaseRange tbRange;
    TriggerStatus trigStatus;
    TrigCalibration trigCal;
    TrigMark trigMark;
    TrgPositions trgPos;
    StorageExtras storage;
    TbBWindow tbB;
    ScreenState screen;
    CursorState cursor;
    ScreenCursorMarks screenMarks;
    ZoomState zoom;
    ZoomCursorMarks zoomMarks;
    MeasurePoints measure;
    FftView fft;
    FftBuffers fftBuf;
    HarmView harm;
    HarmTestState harmTest;
    PrintOptions print;
    ExportTarget exportTarget;
    AutoStore autoStore;
    WindowLayout layout;
    UserContact user;
    FixedText<800> notesText;
    byte language = 0;     // 0 German help, 1 English help
    std::string helpFile;  // the help document chosen for the model family and language
    std::string currentFileName;
    // The clock line's kept notes, shown after the time (and the autostore status); never
    // stored. Why a running mode stopped, until the next start or another stop; and what became
    // of the last unattended printout (failed, or saved as a file), until the next one.
    std::string clockNote;
    std::string printoutNote;
    byte parDefaultsGenerated = 0;
    // The windows the first layout closed to make room: each goes where it covers no other
    // window when it is first opened again. Never stored.
    std::vector<ToolWindow> windowsGivenWay;
    FixedText<22> parReservedText;  // kept in the parameter file, not interpreted
};

}  // namespace ql
