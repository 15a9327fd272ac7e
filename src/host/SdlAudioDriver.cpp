// SDL audio output: SDL's callback thread is the output thread and its device lock the lock.
#include "host/SdlAudioDriver.h"

#include "sound/hssStatus.h"

#include <SDL.h>

namespace host {

enum { BUFFER_MS = 30 };

// The nearest power of two to about 30 ms of frames, as SDL prefers.
static Uint16 deviceBufferFrames(int frequency)
{
    int wanted = frequency * BUFFER_MS / 1000;
    int frames = 64;
    while (frames < 32768 && frames * 3 / 2 < wanted)
        frames *= 2;
    return static_cast<Uint16>(frames);
}

SdlAudioDriver::~SdlAudioDriver()
{
    if (device_)
        close();
}

void SdlAudioDriver::callback(void* self, uint8_t* stream, int bytes)
{
    SdlAudioDriver* driver = static_cast<SdlAudioDriver*>(self);
    driver->mix_(driver->user_, stream, bytes);
}

int SdlAudioDriver::open(const hssFormat& format, int, hssMixCallback mix, void* user)
{
    if (device_)
        return HSS_ALREADY_OPEN;
    if (!format.valid() || !mix)
        return HSS_NO_DEVICE;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return HSS_NO_DEVICE;
    mix_ = mix;
    user_ = user;
    SDL_AudioSpec wanted;
    SDL_zero(wanted);
    wanted.freq = format.frequency;
    wanted.format = format.is16bit() ? AUDIO_S16SYS : AUDIO_U8;
    wanted.channels = static_cast<Uint8>(format.channels);
    wanted.samples = deviceBufferFrames(format.frequency);
    wanted.callback = callback;
    wanted.userdata = this;
    // SDL converts to whatever the device takes, so the mixer always sees the engine's format.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (!device_) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return HSS_NO_DEVICE;
    }
    paused_ = true;
    return HSS_OK;
}

int SdlAudioDriver::close()
{
    if (!device_)
        return HSS_NOT_OPEN;
    SDL_CloseAudioDevice(device_);
    device_ = 0;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return HSS_OK;
}

void SdlAudioDriver::lock()
{
    if (device_)
        SDL_LockAudioDevice(device_);
}

void SdlAudioDriver::unlock()
{
    if (device_)
        SDL_UnlockAudioDevice(device_);
}

void SdlAudioDriver::pause()
{
    if (device_ && !paused_) {
        SDL_PauseAudioDevice(device_, 1);
        paused_ = true;
    }
}

void SdlAudioDriver::resume()
{
    if (device_ && paused_) {
        SDL_PauseAudioDevice(device_, 0);
        paused_ = false;
    }
}

hssDriver* createSdlAudioDriver()
{
    return new SdlAudioDriver();
}

} // namespace host
