/* Starts a program and reports, on one line, the milliseconds from its launch
 * to the first time one of its top-level windows is mapped and then drawn.
 * The X server reports damage as soon as it maps a window, before the program
 * has drawn anything: a window counts as drawn once one of nine points spread
 * over it is no longer black. The screen's background must be black (Xvfb -br)
 * and the program's window must not be. */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

static int shows_something(Display *display, Window window)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes))
        return 0;
    for (int i = 1; i <= 3; ++i) {
        for (int j = 1; j <= 3; ++j) {
            XImage *image = XGetImage(display, window, attributes.width * i / 4, attributes.height * j / 4, 1, 1,
                                      AllPlanes, ZPixmap);
            if (!image)
                continue;
            const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFFul;
            XDestroyImage(image);
            if (pixel != 0)
                return 1;
        }
    }
    return 0;
}

int main(int argc, char **argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: firstpaint PROGRAM [ARGS...]\n");
        return 2;
    }
    Display *display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "firstpaint: no X display\n");
        return 2;
    }
    int damageEvent, damageError;
    if (!XDamageQueryExtension(display, &damageEvent, &damageError)) {
        fprintf(stderr, "firstpaint: no Damage extension\n");
        return 2;
    }
    Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const double start = now_ms();
    pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    double mapped = -1, painted = -1;
    Window window = None;
    Damage damage = None;
    while (painted < 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && mapped < 0) {
            mapped = now_ms() - start;
            window = event.xmap.window;
            damage = XDamageCreate(display, window, XDamageReportNonEmpty);
            XSync(display, False);
        } else if (event.type == damageEvent + XDamageNotify) {
            /* Emptied, so that the next drawing is reported too. */
            XDamageSubtract(display, damage, None, None);
            if (shows_something(display, window))
                painted = now_ms() - start;
        }
        if (now_ms() - start > 30000)
            break;
    }
    printf("%d %.1f %.1f\n", (int)child, mapped, painted);
    fflush(stdout);
    /* The caller measures memory and idle use, then ends the child. */
    if (getenv("FIRSTPAINT_KILL")) {
        kill(child, SIGTERM);
        waitpid(child, NULL, 0);
    }
    XCloseDisplay(display);
    return painted < 0 ? 1 : 0;
}
