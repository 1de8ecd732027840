#include "Instrument.h"

#include <algorithm>
#include <stdexcept>

#include "Autoset.h"
#include "state/Numeric.h"

namespace ql::scopesim {

namespace {

void appendWord(Reply& r, std::uint16_t word)
{
    r.append(static_cast<std::uint8_t>(word & 0xFF));
    r.append(static_cast<std::uint8_t>(word >> 8));
}

std::uint16_t wordAt(const std::vector<std::uint8_t>& p, std::size_t i)
{
    return static_cast<std::uint16_t>(p.at(i) | (p.at(i + 1) << 8));
}

Reply ack()
{
    Reply r;
    r.append("0\r\n");
    return r;
}

Instrument::Answer refuse(std::string note)
{
    Reply r;
    r.append("1\r\n");
    return Instrument::Answer{r, std::move(note)};
}

int digitSlot(std::uint8_t b)
{
    return b >= '1' && b <= '9' ? b - '0' : 0;
}

}  // namespace

Instrument::Instrument(const SimulatorConfig& config)
{
    const ModelProfile* p = findModelProfile(config.model);
    if (!p) throw std::invalid_argument("unknown instrument model " + config.model);
    profile_ = *p;
    firmwareText_ = config.firmware.empty() ? profile_.defaultFirmware : config.firmware;
    firmware_ = hasFirmwareField() ? firmwareNumber(firmwareText_) : 0.0f;
    serialNumber_ = config.serialNumber;
    strictPauses_ = config.strictPauses;
    noiseCodes_ = std::max(0, config.noiseCodes);
    plantedCodes_ = config.plantedCodes;
    autoTriggerMs_ = config.singleShotTriggerMs;
    settings_ = factorySettings(profile_, firmware_);
    signals_ = config.inputs;
    triggerValues_ = config.triggerValues;
    slots_.fill(settings_);
    refs_ = liveRecords();
    singleRecords_ = refs_;
}

std::string Instrument::identityReply() const
{
    // No "T" may come before the model name: the reader takes eight characters from the first.
    std::string name = profile_.name.substr(0, 8);
    name.resize(8, ' ');
    return "ID:KORVA " + name + " S/N:" + serialNumber_ + "\r\n";
}

std::string Instrument::versionReply() const
{
    if (!hasFirmwareField()) return "VERS:HW:1.3 BOOT:1.0\r\n";
    return "VERS:FC" + firmwareText_ + " HW:1.3 BOOT:1.0\r\n";
}

bool Instrument::supports(const CommandSpec& c) const
{
    const std::string_view t = c.text;
    if (t.starts_with("measddf")) return profile_.hasMeasDdf;
    if (t.starts_with("ddf2")) return profile_.hasDdf2;
    if (t.starts_with("trgpos")) return profile_.hasTriggerPositions;
    if (profile_.analogOnly) {
        // Without storage there are no records, preamble, references, averaging or hold.
        if (c.kind == CommandKind::WaveformRequest) return false;
        for (std::string_view storage :
             {"wfmpre?", "ref1pos", "ref2pos", "avrnm", "hldwfm", "savref"})
            if (t.starts_with(storage)) return false;
    }
    return true;
}

Instrument::Answer Instrument::answer(const ReceivedCommand& c, std::int64_t atUs)
{
    nowUs_ = std::max(nowUs_, atUs);
    if (!c.spec || c.abandoned) return Answer{std::nullopt, "no complete command"};
    if (!supports(*c.spec))
        return Answer{std::nullopt, profile_.name + " has no \"" + c.text + "\": no answer"};
    remote_ = true;  // any command takes the instrument into remote; "rm0" releases it
    switch (c.spec->kind) {
        case CommandKind::Identity:
            return Answer{[&] {
                              Reply r;
                              r.append(c.text == "id?" ? identityReply() : versionReply());
                              return r;
                          }(),
                          {}};
        case CommandKind::Query: return Answer{query(c, atUs), {}};
        case CommandKind::Set: return set(c);
        case CommandKind::WaveformRequest: return waveformRequest(c);
        case CommandKind::Control:
        case CommandKind::WakeUp: return control(c, atUs);
    }
    return Answer{std::nullopt, "unhandled command"};
}

std::array<std::uint8_t, 14> Instrument::mainBlockOnWire() const
{
    MainBlock b = settings_.main;
    b.clearReservedBits();
    // Probe x10 bits exist from firmware 2.00 on; older firmware sends them clear.
    const bool probeBits = firmwareAtLeast(firmware_, 2.0f);
    b.set(MainField::Ch1ProbeBit, probeBits && settings_.ch1ProbeFactor == 10);
    b.set(MainField::Ch2ProbeBit, probeBits && settings_.ch2ProbeFactor == 10);
    if (profile_.analogOnly) b.set(MainField::DigitalMode, 0);
    return b.bytes();
}

Reply Instrument::query(const ReceivedCommand& c, std::int64_t atUs)
{
    Reply r;
    r.append(c.text);  // every query answer starts with the echo of its text
    const std::string& t = c.text;
    const InstrumentSettings& s = settings_;
    const WaveformGenerator gen = generator();
    if (t == "ddf?") {
        for (std::uint8_t b : mainBlockOnWire()) r.append(b);
    } else if (t == "ddf1?") {
        for (std::uint16_t w : s.ddf1) appendWord(r, w);
    } else if (t == "roddf?") {
        for (std::uint8_t b : s.roddf) r.append(b);
    } else if (t == "ddf2?") {
        // Bytes 1, 2 and 4 mirror the averaging, the storage mode and the REF display.
        r.append(s.averageIndex);
        r.append(static_cast<std::uint8_t>(s.main.get(MainField::StorageMode)));
        r.append(s.ddf2[2]);
        r.append(static_cast<std::uint8_t>(s.main.get(MainField::Ref2On) * 2 +
                                           s.main.get(MainField::Ref1On)));
        r.append(s.ddf2[4]);
        r.append(s.ddf2[5]);
        appendWord(r, static_cast<std::uint16_t>(s.pretriggerPosition));
    } else if (t == "measddf?") {
        r.append(s.roddf[0]);  // byte 1 is the readout intensity
        for (std::size_t i = 1; i < s.measddf.size(); ++i) r.append(s.measddf[i]);
    } else if (t == "trgval?") {
        for (std::int16_t v : triggerValues_) appendWord(r, static_cast<std::uint16_t>(v));
    } else if (t == "trgposa?") {
        appendWord(r, static_cast<std::uint16_t>(gen.triggerPositionA()));
    } else if (t == "trgposb?") {
        appendWord(r, static_cast<std::uint16_t>(gen.triggerPositionB()));
    } else if (t == "avrnm?") {
        r.append(s.averageIndex);
    } else if (t == "hldwfm?") {
        r.append(hold_ ? "1" : "0");
    } else if (t == "ref1pos?" || t == "ref2pos?") {
        r.append(t == "ref1pos?" ? s.ref1PosByte : s.ref2PosByte);
    } else if (t == "trgsta?") {
        const auto code = static_cast<std::uint8_t>(triggerState(atUs));
        // Up to 1.16 the status is a byte; later firmware sends it as a digit.
        r.append(firmwareAbove(firmware_, 1.16f) ? static_cast<std::uint8_t>('0' + code) : code);
    } else if (t == "wfmpre?") {
        const Preamble p = gen.preamble();
        for (std::int16_t v : {p.trigPos, p.pre2, p.pre3, p.ch1ZeroOffset, p.ch2ZeroOffset})
            appendWord(r, static_cast<std::uint16_t>(v));
    }
    return r;
}

std::optional<std::string> Instrument::pauseProblem(const ReceivedCommand& c) const
{
    // The instrument digests the first part of these blocks during the pause the sender makes
    // after a given byte (or before "ddf2=" as a whole).
    std::int64_t idle = 0;
    std::string where;
    if (c.text == "ddf=")
        idle = c.idleBeforeParamUs(8), where = "after byte 7";
    else if (c.text == "ddf1=")
        idle = c.idleBeforeParamUs(9), where = "after byte 8";
    else if (c.text == "measddf=")
        idle = c.idleBeforeParamUs(11), where = "after byte 10";
    else if (c.text == "ddf2=" && c.gapBeforeUs >= 0)
        idle = c.gapBeforeUs, where = "before it";
    else
        return std::nullopt;
    if (idle >= kMinimumPauseUs) return std::nullopt;
    return "refused " + c.text + ": pause " + where + " was " + std::to_string(idle / 1000) +
           " ms, at least 80 ms needed";
}

void Instrument::takeProbeBits(std::uint8_t byte3)
{
    if (!firmwareAtLeast(firmware_, 2.0f)) return;
    settings_.ch1ProbeFactor = (byte3 & 0x40) ? 10 : 1;
    settings_.ch2ProbeFactor = (byte3 & 0x04) ? 10 : 1;
}

void Instrument::takeMainBlock(const std::vector<std::uint8_t>& bytes, std::string& note)
{
    MainBlock b(std::span<const std::uint8_t, MainBlock::kSize>(bytes.data(), MainBlock::kSize));
    if (b.hasReservedBitsSet()) note += "ddf= with reserved bits set; ";
    if (b.get(MainField::TimebaseMode) == 1) note += "ddf= with time-base mode 1; ";
    takeProbeBits(b.byte(3));
    b.set(MainField::Ch1ProbeBit, 0);
    b.set(MainField::Ch2ProbeBit, 0);
    b.clearReservedBits();
    if (profile_.analogOnly) b.set(MainField::DigitalMode, 0);
    const bool wasSingle = singleShotMode();
    settings_.main = b;
    if (!wasSingle && singleShotMode()) {
        singleRecords_ = liveRecords();  // the last acquisition stays on screen
        singleState_ = TriggerState::Done;
    }
}

Instrument::Answer Instrument::set(const ReceivedCommand& c)
{
    if (strictPauses_)
        if (auto problem = pauseProblem(c)) return refuse(*problem);
    const std::string& t = c.text;
    const auto& p = c.params;
    InstrumentSettings& s = settings_;
    std::string note;
    if (t == "ddf=") {
        takeMainBlock(p, note);
    } else if (t == "vermode=") {
        takeProbeBits(p[0]);
        s.main.setByte(3, static_cast<std::uint8_t>(p[0] & ~0x44));
    } else if (t == "ddf1=") {
        for (std::size_t i = 0; i < s.ddf1.size(); ++i) s.ddf1[i] = wordAt(p, 2 * i);
    } else if (t == "roddf=") {
        std::copy(p.begin(), p.end(), s.roddf.begin());
        s.measddf[0] = p[0];
    } else if (t == "ddf2=") {
        s.averageIndex = p[0];
        s.main.set(MainField::StorageMode, p[1]);
        s.ddf2[2] = p[2];
        s.main.set(MainField::Ref2On, (p[3] >> 1) & 1);
        s.main.set(MainField::Ref1On, p[3] & 1);
        s.ddf2[4] = p[4];
        s.ddf2[5] = p[5];
        s.pretriggerPosition = asSigned16(wordAt(p, 6));
    } else if (t == "measddf=") {
        std::copy(p.begin(), p.end(), s.measddf.begin());
        s.roddf[0] = p[0];
    } else if (t == "avrnm=") {
        if (p[0] < 1 || p[0] > 9) return refuse("refused avrnm= " + std::to_string(p[0]));
        s.averageIndex = p[0];
    } else if (t == "hldwfm=") {
        if (p[0] != '0' && p[0] != '1') return refuse("refused hldwfm= with a byte, not a digit");
        setHoldWaveform(p[0] == '1');
    } else if (t == "ref1pos=") {
        s.ref1PosByte = p[0];
    } else if (t == "ref2pos=") {
        s.ref2PosByte = p[0];
    } else if (t == "savedf=" || t == "recdf=") {
        const int slot = digitSlot(p[0]);
        if (!slot) return refuse("refused " + t + " for a slot that is not the digit 1..9");
        if (t == "savedf=")
            slots_[static_cast<std::size_t>(slot - 1)] = settings_;
        else
            settings_ = slots_[static_cast<std::size_t>(slot - 1)];
    }
    return Answer{ack(), note};
}

Instrument::Answer Instrument::waveformRequest(const ReceivedCommand& c)
{
    const auto& p = c.params;
    // Firmware below 1.05 wants "," between start and count.
    if (p.size() == 5 && p[2] != ',')
        return Answer{std::nullopt, c.text + " without the \",\" this firmware needs: no answer"};
    const int start = wordAt(p, 0);
    const int count = wordAt(p, p.size() == 5 ? 3 : 2);
    if (start + count > kRecordLength)
        return Answer{std::nullopt, c.text + " for samples beyond the record: no answer"};
    const int source = c.text[5] == '2' ? 2 : 1;
    const WaveRecord rec =
        c.text.starts_with("rdwfm") ? channelRecord(source) : referenceRecord(source);
    Reply r;
    r.append(c.text);
    for (std::uint8_t b : p) r.append(b);
    for (int i = start; i < start + count; ++i) r.append(rec[static_cast<std::size_t>(i)]);
    return Answer{r, {}};
}

Instrument::Answer Instrument::control(const ReceivedCommand& c, std::int64_t atUs)
{
    const std::string& t = c.text;
    if (t == "AUTOSET")
        runAutoset();
    else if (t == "RES" && singleShotMode())
        arm(atUs);
    else if (t == "savref1")
        storeReference(1);
    else if (t == "savref2")
        storeReference(2);
    Answer a{ack(), {}};
    if (t == "rm0") remote_ = false;
    return a;
}

void Instrument::setSignal(int channel, const Signal& signal)
{
    signals_[channel == 2 ? 1 : 0] = signal;
}

void Instrument::setChannelPosition(int channel, int position)
{
    settings_.ddf1[channel == 2 ? kCh2Position : kCh1Position] =
        wordForPosition(position, firmware_);
}

void Instrument::setHorizontalPosition(int position)
{
    settings_.ddf1[kHorPosition] = wordForPosition(position, firmware_);
}

void Instrument::setHoldWaveform(bool on)
{
    if (on && !hold_) heldRecords_ = singleShotMode() ? singleRecords_ : liveRecords();
    hold_ = on;
}

const InstrumentSettings& Instrument::setupSlot(int slot) const
{
    return slots_.at(static_cast<std::size_t>(std::clamp(slot, 1, 9) - 1));
}

bool Instrument::singleShotMode() const
{
    return settings_.main.get(MainField::StorageMode) == 1 ||
           settings_.main.get(MainField::SingleShot) == 1;
}

TriggerState Instrument::triggerState(std::int64_t atUs)
{
    if (!singleShotMode()) return TriggerState::Running;
    if (singleState_ == TriggerState::Armed && autoTriggerMs_ &&
        atUs >= armedAtUs_ + static_cast<std::int64_t>(*autoTriggerMs_ * 1000.0))
        fireTrigger();
    return singleState_;
}

void Instrument::arm(std::int64_t atUs)
{
    singleState_ = TriggerState::Armed;
    armedAtUs_ = atUs;
}

void Instrument::fireTrigger()
{
    if (singleState_ != TriggerState::Armed) return;
    singleRecords_ = liveRecords();
    singleState_ = TriggerState::Done;
}

std::array<WaveRecord, 2> Instrument::liveRecords() const
{
    const WaveformGenerator gen = generator();
    return {withNoise(gen.channelRecord(1), 1), withNoise(gen.channelRecord(2), 2)};
}

WaveRecord Instrument::withNoise(WaveRecord record, int channel) const
{
    if (noiseCodes_ == 0) return record;
    // A hash of acquisition, channel and sample (splitmix64): the same acquisition always
    // carries the same noise, whichever part of it is asked for and how often.
    const auto acquisition = static_cast<std::uint64_t>(nowUs_ / kAcquisitionUs);
    const auto span = static_cast<std::uint64_t>(2 * noiseCodes_ + 1);
    for (std::size_t i = 0; i < record.size(); ++i) {
        std::uint64_t z = acquisition * 0x9E3779B97F4A7C15ULL +
                          static_cast<std::uint64_t>(channel) * 0xBF58476D1CE4E5B9ULL +
                          i * 0x94D049BB133111EBULL;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        z ^= z >> 31;
        const int noise = static_cast<int>(z % span) - noiseCodes_;
        record[i] = static_cast<std::uint8_t>(std::clamp(record[i] + noise, 0, 255));
    }
    return record;
}

WaveRecord Instrument::withPlantedCodes(WaveRecord record, int which) const
{
    for (const PlantedCodes& p : plantedCodes_)
        if (p.record == which) std::copy(p.codes.begin(), p.codes.end(), record.begin() + p.index);
    return record;
}

WaveRecord Instrument::channelRecord(int channel) const
{
    const std::size_t i = channel == 2 ? 1 : 0;
    if (hold_) return withPlantedCodes(heldRecords_[i], channel);
    if (singleShotMode()) return withPlantedCodes(singleRecords_[i], channel);
    return withPlantedCodes(withNoise(generator().channelRecord(channel), channel), channel);
}

WaveRecord Instrument::referenceRecord(int ref) const
{
    const int which = ref == 2 ? 4 : 3;
    // In the A-and-B view the reference memories carry the time-base-B traces.
    if (profile_.hasTimebaseB && settings_.main.get(MainField::TimebaseMode) == 2)
        return withPlantedCodes(generator().timebaseBRecord(ref), which);
    return withPlantedCodes(storedReference(ref), which);
}

void Instrument::storeReference(int ref)
{
    refs_[ref == 2 ? 1 : 0] = channelRecord(ref);
}

WaveformGenerator Instrument::generator() const
{
    return WaveformGenerator(settings_, profile_, firmware_, signals_);
}

void Instrument::runAutoset()
{
    scopesim::runAutoset(settings_, profile_, firmware_, signals_);
}

}  // namespace ql::scopesim
