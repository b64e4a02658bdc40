#include "platform/headless/HeadlessDevices.h"

#include <cstring>

#include "platform/headless/HeadlessShell.h"

constexpr DiResult kNotSupported = static_cast<DiResult>(0x80004001u);  // E_NOTIMPL
constexpr DiResult kInvalidParam = static_cast<DiResult>(0x80070057u);  // DIERR_INVALIDPARAM

// The objects handed to the program. Each counts its references as COM does
// and tells the devices when it goes away, so tests can check for leaks.
struct HeadlessDevices::Impl {
    static void note(HeadlessDevices& owner, HeadlessEvent event, std::int64_t value = 0) {
        if (!owner.log_) return;
        HeadlessRecord entry;
        entry.event = event;
        entry.gameTime = owner.clock_->currentGameTime();
        entry.value = value;
        owner.log_->add(entry);
    }

    class Keyboard final : public DirectInputDevice {
    public:
        explicit Keyboard(HeadlessDevices& owner) : owner_(owner) { ++owner_.liveObjects_; }

        DiResult SetDataFormat(DiDataFormat format) override {
            return format == DiDataFormat::Keyboard ? DI_OK : kInvalidParam;
        }
        DiResult SetCooperativeLevel(WindowHandle, std::uint32_t) override { return DI_OK; }
        DiResult Acquire() override { return owner_.acquireResult_; }
        DiResult Unacquire() override { return DI_OK; }
        DiResult GetDeviceState(std::uint32_t size, void* data) override {
            ++owner_.keyboardReads_;
            note(owner_, HeadlessEvent::KeyboardRead);
            if (size != 256 || !data) return kInvalidParam;
            if (owner_.deviceStateResult_ != DI_OK) return owner_.deviceStateResult_;
            const std::int32_t now = owner_.clock_->currentGameTime();
            owner_.fillSnapshot(now, static_cast<std::uint8_t*>(data));
            return DI_OK;
        }
        DiResult SetProperty(const DiPropRange*) override { return kNotSupported; }
        DiResult QueryInterface(const DiGuid&, DirectInputDevice2** out) override {
            if (out) *out = nullptr;
            return DIERR_NOINTERFACE;
        }
        std::uint32_t Release() override {
            if (--references_ > 0) return references_;
            --owner_.liveObjects_;
            delete this;
            return 0;
        }

    private:
        ~Keyboard() = default;
        HeadlessDevices& owner_;
        std::uint32_t references_ = 1;
    };

    class Input final : public DirectInput {
    public:
        explicit Input(HeadlessDevices& owner) : owner_(owner) { ++owner_.liveObjects_; }

        DiResult CreateDevice(const DiGuid& guid, DirectInputDevice** out) override {
            if (!out) return kInvalidParam;
            *out = nullptr;
            if (owner_.createDeviceResult_ != DI_OK) return owner_.createDeviceResult_;
            // There is a keyboard and nothing else.
            if (!(guid == GUID_SysKeyboard)) return DIERR_GENERIC;
            *out = new Keyboard(owner_);
            return DI_OK;
        }
        DiResult EnumDevices(std::uint32_t, DiEnumDevicesCallback, void*, std::uint32_t) override {
            return DI_OK;  // no joystick attached
        }
        std::uint32_t Release() override {
            if (--references_ > 0) return references_;
            --owner_.liveObjects_;
            delete this;
            return 0;
        }

    private:
        ~Input() = default;
        HeadlessDevices& owner_;
        std::uint32_t references_ = 1;
    };

    class Sound final : public DirectSound {
    public:
        explicit Sound(HeadlessDevices& owner) : owner_(owner) { ++owner_.liveObjects_; }

        DsResult SetCooperativeLevel(WindowHandle, std::uint32_t level) override {
            note(owner_, HeadlessEvent::SoundCooperativeLevel, level);
            return owner_.soundLevelResult_;
        }
        std::uint32_t Release() override {
            note(owner_, HeadlessEvent::SoundRelease);
            if (--references_ > 0) return references_;
            --owner_.liveObjects_;
            delete this;
            return 0;
        }

    private:
        ~Sound() = default;
        HeadlessDevices& owner_;
        std::uint32_t references_ = 1;
    };
};

HeadlessDevices::HeadlessDevices(HeadlessShell* clock, HeadlessLog* log)
    : clock_(clock), log_(log) {}

// Objects the program still holds are its own to release; they keep a
// reference to these devices, so the devices must outlive the program's use.
HeadlessDevices::~HeadlessDevices() = default;

DiResult HeadlessDevices::DirectInputCreateA(InstanceHandle, std::uint32_t version,
                                             DirectInput** out) {
    ++directInputCreateCalls_;
    Impl::note(*this, HeadlessEvent::DirectInputCreate, version);
    if (!out) return kInvalidParam;
    *out = nullptr;
    if (directInputResult_ != DI_OK) return directInputResult_;
    *out = new Impl::Input(*this);
    return DI_OK;
}

DsResult HeadlessDevices::DirectSoundCreate(const SoundDeviceGuid*, DirectSound** out) {
    ++directSoundCreateCalls_;
    Impl::note(*this, HeadlessEvent::DirectSoundCreate);
    if (!out) return kInvalidParam;
    *out = nullptr;
    if (directSoundResult_ != DS_OK) return directSoundResult_;
    *out = new Impl::Sound(*this);
    return DS_OK;
}

void HeadlessDevices::cue(SoundCue cue) {
    Impl::note(*this, HeadlessEvent::SoundCue, static_cast<std::int64_t>(cue));
}

void HeadlessDevices::press(int code, std::int32_t from, std::int32_t to) {
    if (code < 0 || code > 255) return;
    presses_.push_back({code, from, to});
}

void HeadlessDevices::forceDown(int code) {
    if (code >= 0 && code < 256) forced_[code] = true;
}

void HeadlessDevices::clearKeys() {
    presses_.clear();
    std::memset(forced_, 0, sizeof forced_);
}

void HeadlessDevices::fillSnapshot(std::int32_t gameTime, std::uint8_t* keys) const {
    for (int code = 0; code < 256; ++code) keys[code] = forced_[code] ? 0x80 : 0x00;
    for (const Press& p : presses_) {
        if (gameTime >= p.from && gameTime < p.to && p.code >= 0 && p.code < 256) {
            keys[p.code] = 0x80;
        }
    }
}

bool HeadlessDevices::isScriptedDown(int code, std::int32_t gameTime) const {
    if (code < 0 || code > 255) return false;
    if (forced_[code]) return true;
    for (const Press& p : presses_) {
        if (p.code == code && gameTime >= p.from && gameTime < p.to) return true;
    }
    return false;
}
