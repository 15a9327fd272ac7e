// The real window: SDL presentation of the device screen, integer-scaled and letterboxed.
#include "host/SdlKeys.h"
#include "host/Window.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

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
        if (texture)
            SDL_DestroyTexture(texture);
        if (renderer)
            SDL_DestroyRenderer(renderer);
        if (window)
            SDL_DestroyWindow(window);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    bool open(std::string& error)
    {
        SDL_SetHint(SDL_HINT_TOUCH_MOUSE_EVENTS, "1"); // a finger is a stylus
        SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
            return fail(error);
        int scale = options.scale > 0 ? options.scale : fittingScale();
        window = SDL_CreateWindow(options.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                  device.width * scale, device.height * scale, SDL_WINDOW_RESIZABLE);
        if (!window)
            return fail(error);
        renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_PRESENTVSYNC);
        if (!renderer)
            renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
        if (!renderer)
            return fail(error);
        texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING,
                                    device.width, device.height);
        if (!texture)
            return fail(error);
        redraw();
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
        SDL_UpdateTexture(texture, nullptr, device.pixels.data(), device.width * 2);
        redraw();
    }

    bool nextEvent(HostEvent& event, int timeoutMs) override
    {
        SDL_Event e;
        for (;;) {
            int got = timeoutMs < 0 ? SDL_WaitEvent(&e) : SDL_WaitEventTimeout(&e, timeoutMs);
            if (!got)
                return false;
            if (translate(e, event))
                return true;
            timeoutMs = 0; // something came: do not wait again for the next one
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
        SDL_GetRendererOutputSize(renderer, &w, &h);
        int scale = std::max(1, std::min(w / std::max(1, device.width), h / std::max(1, device.height)));
        SDL_Rect r{0, 0, device.width * scale, device.height * scale};
        r.x = (w - r.w) / 2;
        r.y = (h - r.h) / 2;
        return r;
    }

    void redraw()
    {
        if (stale)
            SDL_UpdateTexture(texture, nullptr, device.pixels.data(), device.width * 2);
        stale = false;
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
        SDL_Rect area = deviceArea();
        SDL_RenderCopy(renderer, texture, nullptr, &area);
        SDL_RenderPresent(renderer);
    }

    // Window pixels to device pixels; false outside the device area.
    bool toDevice(int wx, int wy, int& x, int& y) const
    {
        int ww, wh, ow, oh;
        SDL_GetWindowSize(window, &ww, &wh);
        SDL_GetRendererOutputSize(renderer, &ow, &oh);
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

    bool translate(const SDL_Event& e, HostEvent& out)
    {
        out = HostEvent();
        switch (e.type) {
        case SDL_QUIT:
            out.type = HostEvent::CLOSE;
            return true;
        case SDL_WINDOWEVENT:
            return translateWindow(e.window, out);
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            return translateKey(e.key, out);
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (e.button.button != SDL_BUTTON_LEFT)
                return false;
            if (e.type == SDL_MOUSEBUTTONUP) {
                if (!stylusDown)
                    return false;
                stylusDown = false; // a release always ends the gesture, even outside the screen
                out.type = HostEvent::POINTER_UP;
                if (!toDevice(e.button.x, e.button.y, out.x, out.y))
                    clampToDevice(e.button.x, e.button.y, out);
                return true;
            }
            if (!toDevice(e.button.x, e.button.y, out.x, out.y))
                return false;
            stylusDown = true;
            out.type = HostEvent::POINTER_DOWN;
            return true;
        case SDL_MOUSEMOTION:
            if (!stylusDown || !(e.motion.state & SDL_BUTTON_LMASK))
                return false;
            if (!toDevice(e.motion.x, e.motion.y, out.x, out.y))
                return false;
            out.type = HostEvent::POINTER_DRAG;
            return true;
        default:
            return false;
        }
    }

    void clampToDevice(int wx, int wy, HostEvent& out) const
    {
        SDL_Rect a = deviceArea();
        int cx = std::min(std::max(wx, a.x), a.x + a.w - 1);
        int cy = std::min(std::max(wy, a.y), a.y + a.h - 1);
        toDevice(cx, cy, out.x, out.y);
    }

    bool translateWindow(const SDL_WindowEvent& w, HostEvent& out)
    {
        switch (w.event) {
        case SDL_WINDOWEVENT_FOCUS_LOST:
        case SDL_WINDOWEVENT_MINIMIZED:
            out.type = HostEvent::DEACTIVATED;
            return true;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
        case SDL_WINDOWEVENT_RESTORED:
            out.type = HostEvent::ACTIVATED;
            return true;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            stale = true;
            redraw();
            return false;
        case SDL_WINDOWEVENT_CLOSE:
            out.type = HostEvent::CLOSE;
            return true;
        default:
            return false;
        }
    }

    bool translateKey(const SDL_KeyboardEvent& k, HostEvent& out)
    {
        bool down = k.type == SDL_KEYDOWN;
        bool altEnter = k.keysym.sym == SDLK_RETURN && (k.keysym.mod & KMOD_ALT);
        if (k.keysym.sym == toggleKey) { // held or let go after its modifier: still no game key
            if (!down)
                toggleKey = SDLK_UNKNOWN;
            return false;
        }
        if (k.keysym.sym == SDLK_F11 || altEnter) {
            if (down) {
                toggleKey = k.keysym.sym;
                toggleFullScreen();
            }
            return false;
        }
        int vk = virtualKeyOf(k.keysym.sym);
        if (vk == 0)
            return false;
        out.type = down ? HostEvent::KEY_DOWN : HostEvent::KEY_UP;
        out.key = vk;
        out.repeat = down && k.repeat;
        return true;
    }

    WindowOptions options;
    Surface device;
    Surface shown; // what the window shows now
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    bool stale = true;
    bool stylusDown = false;
    bool fullScreen = false;
    SDL_Keycode toggleKey = SDLK_UNKNOWN; // the full-screen key while it is down
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
