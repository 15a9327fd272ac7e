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
    if (device)
        close();
}

void SdlAudioDriver::callback(void* self, uint8_t* stream, int bytes)
{
    SdlAudioDriver* driver = static_cast<SdlAudioDriver*>(self);
    driver->mixFunction(driver->mixUser, stream, bytes);
}

int SdlAudioDriver::open(const hssFormat& format, int, hssMixCallback mix, void* user)
{
    if (device)
        return HSS_ALREADY_OPEN;
    if (!format.valid() || !mix)
        return HSS_NO_DEVICE;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return HSS_NO_DEVICE;
    mixFunction = mix;
    mixUser = user;
    SDL_AudioSpec wanted;
    SDL_zero(wanted);
    wanted.freq = format.frequency;
    wanted.format = format.is16bit() ? AUDIO_S16SYS : AUDIO_U8;
    wanted.channels = static_cast<Uint8>(format.channels);
    wanted.samples = deviceBufferFrames(format.frequency);
    wanted.callback = callback;
    wanted.userdata = this;
    // SDL converts to whatever the device takes, so the mixer always sees the engine's format.
    device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (!device) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return HSS_NO_DEVICE;
    }
    paused = true;
    return HSS_OK;
}

int SdlAudioDriver::close()
{
    if (!device)
        return HSS_NOT_OPEN;
    SDL_CloseAudioDevice(device);
    device = 0;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return HSS_OK;
}

void SdlAudioDriver::lock()
{
    if (device)
        SDL_LockAudioDevice(device);
}

void SdlAudioDriver::unlock()
{
    if (device)
        SDL_UnlockAudioDevice(device);
}

void SdlAudioDriver::pause()
{
    if (device && !paused) {
        SDL_PauseAudioDevice(device, 1);
        paused = true;
    }
}

void SdlAudioDriver::resume()
{
    if (device && paused) {
        SDL_PauseAudioDevice(device, 0);
        paused = false;
    }
}

hssDriver* createSdlAudioDriver()
{
    return new SdlAudioDriver();
}

} // namespace host
