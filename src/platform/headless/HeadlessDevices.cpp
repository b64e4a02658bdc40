#include "platform/headless/HeadlessDevices.h"

#include <cstring>

#include "platform/RefCounted.h"
#include "platform/headless/HeadlessShell.h"

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

    class Keyboard final : public RefCounted<DirectInputDevice> {
    public:
        explicit Keyboard(HeadlessDevices& owner) : owner_(owner) { ++owner_.liveObjects_; }

        DiResult SetDataFormat(DiDataFormat format) override {
            return format == DiDataFormat::Keyboard ? DI_OK : DIERR_INVALIDPARAM;
        }
        DiResult SetCooperativeLevel(WindowHandle, std::uint32_t) override { return DI_OK; }
        DiResult Acquire() override { return owner_.acquireResult_; }
        DiResult Unacquire() override { return DI_OK; }
        DiResult GetDeviceState(std::uint32_t size, void* data) override {
            ++owner_.keyboardReads_;
            note(owner_, HeadlessEvent::KeyboardRead);
            if (size != 256 || !data) return DIERR_INVALIDPARAM;
            if (owner_.deviceStateResult_ != DI_OK) return owner_.deviceStateResult_;
            const std::int32_t now = owner_.clock_->currentGameTime();
            owner_.fillSnapshot(now, static_cast<std::uint8_t*>(data));
            return DI_OK;
        }
        DiResult SetProperty(const DiPropRange*) override { return DIERR_UNSUPPORTED; }
        DiResult QueryInterface(const DiGuid&, DirectInputDevice2** out) override {
            if (out) *out = nullptr;
            return DIERR_NOINTERFACE;
        }

    private:
        ~Keyboard() override { --owner_.liveObjects_; }
        HeadlessDevices& owner_;
    };

    class Input final : public RefCounted<DirectInput> {
    public:
        explicit Input(HeadlessDevices& owner) : owner_(owner) { ++owner_.liveObjects_; }

        DiResult CreateDevice(const DiGuid& guid, DirectInputDevice** out) override {
            if (!out) return DIERR_INVALIDPARAM;
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

    private:
        ~Input() override { --owner_.liveObjects_; }
        HeadlessDevices& owner_;
    };

    class Sound final : public RefCounted<DirectSound> {
    public:
        explicit Sound(HeadlessDevices& owner) : owner_(owner) { ++owner_.liveObjects_; }

        DsResult SetCooperativeLevel(WindowHandle, std::uint32_t level) override {
            note(owner_, HeadlessEvent::SoundCooperativeLevel, level);
            return owner_.soundLevelResult_;
        }
        std::uint32_t Release() override {
            note(owner_, HeadlessEvent::SoundRelease);
            return RefCounted::Release();
        }

    private:
        ~Sound() override { --owner_.liveObjects_; }
        HeadlessDevices& owner_;
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
    if (!out) return DIERR_INVALIDPARAM;
    *out = nullptr;
    if (directInputResult_ != DI_OK) return directInputResult_;
    *out = new Impl::Input(*this);
    return DI_OK;
}

DsResult HeadlessDevices::DirectSoundCreate(const SoundDeviceGuid*, DirectSound** out) {
    ++directSoundCreateCalls_;
    Impl::note(*this, HeadlessEvent::DirectSoundCreate);
    if (!out) return DIERR_INVALIDPARAM;
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
