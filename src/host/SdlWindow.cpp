// The real window: SDL presentation of the device screen, integer-scaled and letterboxed.
#include "host/Gamepad.h"
#include "host/PictureDecoder.h"
#include "host/SdlKeys.h"
#include "host/Window.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <set>

namespace host {

namespace {

class SdlWindow : public Window {
public:
    explicit SdlWindow(const WindowOptions& options)
        : options(options), device(options.width, options.height, 0xFFFF), shown(device)
    {
    }

    ~SdlWindow() override
    {
        if (frame)
            SDL_FreeSurface(frame);
        if (window)
            SDL_DestroyWindow(window);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    bool open(std::string& error)
    {
        SDL_SetHint(SDL_HINT_TOUCH_MOUSE_EVENTS, "1"); // a finger is a stylus
        // The picture is scaled here, by whole pixels; the window's own software frame buffer
        // shows it at a fraction of what a GL renderer costs where GL is emulated.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
            return fail(error);
        int scale = options.scale > 0 ? options.scale : fittingScale();
        window = SDL_CreateWindow(options.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                  device.width * scale, device.height * scale, SDL_WINDOW_RESIZABLE);
        if (!window)
            return fail(error);
        frame = SDL_CreateRGBSurfaceWithFormat(0, device.width, device.height, 32, SDL_PIXELFORMAT_RGB888);
        if (!frame)
            return fail(error);
        for (uint32_t c = 0; c < 0x10000; ++c) {
            uint32_t r = c >> 11, g = (c >> 5) & 0x3F, b = c & 0x1F;
            rgb888Of[c] = ((r << 3 | r >> 2) << 16) | ((g << 2 | g >> 4) << 8) | (b << 3 | b >> 2);
        }
        // Smaller than the device screen at scale 1, the screen would be cropped.
        SDL_SetWindowMinimumSize(window, device.width, device.height);
        redraw();
        gamepad.open();
        return true;
    }

    Surface& screen() override { return device; }
    bool hasDisplay() const override { return true; }

    void present() override
    {
        // A static screen costs nothing: only a changed picture goes to the window.
        if (!stale && device.pixels == shown.pixels)
            return;
        shown.pixels = device.pixels;
        redraw();
    }

    void setIcon(const RgbaPicture& picture) override
    {
        SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(
            const_cast<uint8_t*>(picture.rgba.data()), picture.width, picture.height, 32,
            picture.width * 4, SDL_PIXELFORMAT_RGBA32);
        if (!icon)
            return;
        SDL_SetWindowIcon(window, icon);
        SDL_FreeSurface(icon);
    }

    bool nextEvent(HostEvent& event, int timeoutMs) override
    {
        SDL_Event e;
        for (;;) {
            gamepad.repeat(SDL_GetTicks(), pending);
            if (!pending.empty()) {
                event = pending.front();
                pending.pop_front();
                return true;
            }
            int repeatDue = gamepad.msUntilRepeat(SDL_GetTicks());
            int wait = repeatDue >= 0 && (timeoutMs < 0 || repeatDue < timeoutMs) ? repeatDue : timeoutMs;
            int got = wait < 0 ? SDL_WaitEvent(&e) : SDL_WaitEventTimeout(&e, wait);
            if (got) {
                translate(e);
                timeoutMs = 0; // something came: do not wait again for the next one
            } else if (wait == timeoutMs) {
                return false;
            } else if (timeoutMs > 0) {
                timeoutMs -= wait; // woken for a repeat: wait no longer than asked in all
            }
        }
    }

private:
    bool fail(std::string& error)
    {
        error = SDL_GetError();
        return false;
    }

    int fittingScale() const
    {
        SDL_Rect usable;
        if (SDL_GetDisplayUsableBounds(0, &usable) != 0)
            return 1;
        int sx = usable.w * 85 / 100 / std::max(1, device.width);
        int sy = usable.h * 85 / 100 / std::max(1, device.height);
        return std::max(1, std::min(sx, sy));
    }

    // The device area inside the window: the largest integer scale, centred.
    SDL_Rect deviceArea() const
    {
        int w, h;
        SDL_GetWindowSizeInPixels(window, &w, &h);
        int scale = std::max(1, std::min(w / std::max(1, device.width), h / std::max(1, device.height)));
        SDL_Rect r{0, 0, device.width * scale, device.height * scale};
        r.x = (w - r.w) / 2;
        r.y = (h - r.h) / 2;
        return r;
    }

    void redraw()
    {
        SDL_Surface* out = SDL_GetWindowSurface(window);
        if (!out)
            return;
        SDL_Rect area = deviceArea();
        if (stale)
            SDL_FillRect(out, nullptr, SDL_MapRGB(out->format, 0, 0, 0));
        for (int y = 0; y < device.height; ++y) {
            const uint16_t* from = device.row(y);
            uint32_t* to = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(frame->pixels) + y * frame->pitch);
            for (int x = 0; x < device.width; ++x)
                to[x] = rgb888Of[from[x]];
        }
        SDL_BlitScaled(frame, nullptr, out, &area);
        if (stale)
            SDL_UpdateWindowSurface(window);
        else
            SDL_UpdateWindowSurfaceRects(window, &area, 1);
        stale = false;
    }

    // Window pixels to device pixels; false outside the device area.
    bool toDevice(int wx, int wy, int& x, int& y) const
    {
        int ww, wh, ow, oh;
        SDL_GetWindowSize(window, &ww, &wh);
        SDL_GetWindowSizeInPixels(window, &ow, &oh);
        if (ww > 0 && wh > 0) { // high-density displays: window units to output pixels
            wx = int((long long)wx * ow / ww);
            wy = int((long long)wy * oh / wh);
        }
        SDL_Rect a = deviceArea();
        if (wx < a.x || wy < a.y || wx >= a.x + a.w || wy >= a.y + a.h)
            return false;
        x = (wx - a.x) * device.width / a.w;
        y = (wy - a.y) * device.height / a.h;
        return true;
    }

    // The state is kept here: without a window manager SDL may still believe the window is full
    // screen after leaving it, and it ignores a request for the state it believes in.
    void toggleFullScreen()
    {
        fullScreen = !fullScreen;
        Uint32 target = fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0;
        if ((SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) == target)
            SDL_SetWindowFullscreen(window, target ^ SDL_WINDOW_FULLSCREEN_DESKTOP);
        SDL_SetWindowFullscreen(window, target);
        stale = true;
    }

    void push(HostEvent::Type type, int x = 0, int y = 0)
    {
        HostEvent out;
        out.type = type;
        out.x = x;
        out.y = y;
        pending.push_back(out);
    }

    void translate(const SDL_Event& e)
    {
        switch (e.type) {
        case SDL_QUIT:
            push(HostEvent::CLOSE);
            break;
        case SDL_WINDOWEVENT:
            translateWindow(e.window);
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            translateKey(e.key);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (e.button.button == SDL_BUTTON_LEFT)
                stylus(e.type == SDL_MOUSEBUTTONDOWN, e.button.x, e.button.y);
            break;
        case SDL_MOUSEMOTION:
            if (stylusDown && (e.motion.state & SDL_BUTTON_LMASK) && toDevice(e.motion.x, e.motion.y, stylusX, stylusY))
                push(HostEvent::POINTER_DRAG, stylusX, stylusY);
            break;
        default:
            gamepad.handle(e, SDL_GetTicks(), pending);
            break;
        }
    }

    void stylus(bool down, int wx, int wy)
    {
        if (down) {
            if (toDevice(wx, wy, stylusX, stylusY)) { // presses off the screen are lost
                stylusDown = true;
                push(HostEvent::POINTER_DOWN, stylusX, stylusY);
            }
            return;
        }
        if (!toDevice(wx, wy, stylusX, stylusY))
            clampToDevice(wx, wy);
        endGesture(); // a release always ends the gesture, even outside the screen
    }

    void endGesture()
    {
        if (!stylusDown)
            return;
        stylusDown = false;
        push(HostEvent::POINTER_UP, stylusX, stylusY);
    }

    void clampToDevice(int wx, int wy)
    {
        SDL_Rect a = deviceArea();
        int cx = std::min(std::max(wx, a.x), a.x + a.w - 1);
        int cy = std::min(std::max(wy, a.y), a.y + a.h - 1);
        toDevice(cx, cy, stylusX, stylusY);
    }

    void translateWindow(const SDL_WindowEvent& w)
    {
        switch (w.event) {
        case SDL_WINDOWEVENT_FOCUS_LOST:
        case SDL_WINDOWEVENT_MINIMIZED:
            // The button may come up in another window: the gesture ends where it was last seen,
            // or the next click would arrive as a drag with no press.
            endGesture();
            gamepad.releaseAll(pending);
            push(HostEvent::DEACTIVATED);
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
        case SDL_WINDOWEVENT_RESTORED:
            push(HostEvent::ACTIVATED);
            break;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            stale = true;
            redraw();
            break;
        case SDL_WINDOWEVENT_CLOSE:
            push(HostEvent::CLOSE);
            break;
        default:
            break;
        }
    }

    // Keys of window shortcuts (Alt or the logo key held, F11, Alt+Enter) never reach the game,
    // nor do their repeats and releases, even when the modifier is let go first.
    void translateKey(const SDL_KeyboardEvent& k)
    {
        bool down = k.type == SDL_KEYDOWN;
        SDL_Keycode sym = k.keysym.sym;
        if (shortcutKeys.count(sym)) {
            if (!down)
                shortcutKeys.erase(sym);
            return;
        }
        if (down && !k.repeat && ((k.keysym.mod & (KMOD_ALT | KMOD_GUI)) || sym == SDLK_F11)) {
            shortcutKeys.insert(sym);
            if (sym == SDLK_F11 || sym == SDLK_RETURN || sym == SDLK_KP_ENTER)
                toggleFullScreen();
            return;
        }
        int vk = virtualKeyOf(sym);
        if (vk == 0)
            return;
        HostEvent out;
        out.type = down ? HostEvent::KEY_DOWN : HostEvent::KEY_UP;
        out.key = vk;
        out.repeat = down && k.repeat;
        pending.push_back(out);
    }

    WindowOptions options;
    Surface device;
    Surface shown; // what the window shows now
    SDL_Window* window = nullptr;
    SDL_Surface* frame = nullptr; // the device screen in the window's colours, before scaling
    uint32_t rgb888Of[0x10000];
    bool stale = true;
    bool stylusDown = false;
    int stylusX = 0, stylusY = 0; // where the stylus was last seen, in device pixels
    bool fullScreen = false;
    std::set<SDL_Keycode> shortcutKeys; // down as part of a window shortcut
    std::deque<HostEvent> pending;
    Gamepad gamepad;
};

} // namespace

std::unique_ptr<Window> openSdlWindow(const WindowOptions& options, std::string& error)
{
    auto window = std::make_unique<SdlWindow>(options);
    if (!window->open(error))
        return nullptr;
    return window;
}

void showMessage(const std::string& caption, const std::string& text, bool haveDisplay)
{
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    if (haveDisplay)
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption.c_str(), text.c_str(), nullptr);
}

} // namespace host
