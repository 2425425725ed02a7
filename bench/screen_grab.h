/* What the host-side screen probes (bench/startup/start_probe.c, bench/search/screen_probe.c) share:
 * a monotonic clock, a sleep, and a rectangle of the root window read through shared memory (or with
 * XGetImage where the server offers none). */
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <errno.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <time.h>

static inline double now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec * 1000.0 + (double)t.tv_nsec / 1e6;
}

static inline void sleep_us(long us) {
    struct timespec t = {us / 1000000L, (us % 1000000L) * 1000L};
    while (nanosleep(&t, &t) == -1 && errno == EINTR) {
    }
}

typedef struct {
    Display* dpy;
    int x, y, w, h;
    XImage* image;
    XShmSegmentInfo shm;
    int shared;
} Grab;

/* 1 when the rectangle is read through shared memory as pixels of 32 bits; grab_read reads it anyway
 * (through XGetImage when the server has no shared memory). */
static inline int grab_open(Grab* g, Display* dpy, int x, int y, int w, int h) {
    memset(g, 0, sizeof *g);
    g->dpy = dpy, g->x = x, g->y = y, g->w = w, g->h = h;
    if (!XShmQueryExtension(dpy)) return 0;
    const int screen = DefaultScreen(dpy);
    g->image = XShmCreateImage(dpy, DefaultVisual(dpy, screen), (unsigned)DefaultDepth(dpy, screen), ZPixmap,
                               NULL, &g->shm, (unsigned)w, (unsigned)h);
    if (!g->image) return 0;
    g->shm.shmid = shmget(IPC_PRIVATE, (size_t)g->image->bytes_per_line * (size_t)h, IPC_CREAT | 0600);
    g->shm.shmaddr = g->image->data = shmat(g->shm.shmid, NULL, 0);
    g->shm.readOnly = False;
    XShmAttach(dpy, &g->shm);
    XSync(dpy, False);
    /* Removed once both sides are attached, so that nothing is left behind however the probe ends. */
    shmctl(g->shm.shmid, IPC_RMID, NULL);
    g->shared = 1;
    return g->image->bits_per_pixel == 32;
}

static inline void grab_close(Grab* g) {
    if (g->shared) {
        XShmDetach(g->dpy, &g->shm);
        XDestroyImage(g->image);
        shmdt(g->shm.shmaddr);
    } else if (g->image) {
        XDestroyImage(g->image);
    }
    g->image = NULL;
    g->shared = 0;
}

static inline void grab_read(Grab* g) {
    const Window root = DefaultRootWindow(g->dpy);
    if (g->shared) {
        XShmGetImage(g->dpy, root, g->image, g->x, g->y, AllPlanes);
        return;
    }
    if (g->image) XDestroyImage(g->image);
    g->image = XGetImage(g->dpy, root, g->x, g->y, (unsigned)g->w, (unsigned)g->h, AllPlanes, ZPixmap);
}

/* The colour at (x, y) of the rectangle, as 0xRRGGBB. */
static inline uint32_t grab_pixel(const Grab* g, int x, int y) {
    if (g->image->bits_per_pixel == 32)
        return ((const uint32_t*)(g->image->data + (size_t)y * (size_t)g->image->bytes_per_line))[x] &
               0xFFFFFFu;
    return (uint32_t)XGetPixel(g->image, x, y) & 0xFFFFFFu;
}

/* The pixels read last, copied row by row. */
static inline uint32_t* grab_snapshot(const Grab* g) {
    uint32_t* p = malloc(sizeof *p * (size_t)g->w * (size_t)g->h);
    for (int y = 0; y < g->h; ++y)
        for (int x = 0; x < g->w; ++x) p[(size_t)y * (size_t)g->w + (size_t)x] = grab_pixel(g, x, y);
    return p;
}

/* A hash of the pixels read last within the part (px, py, pw, ph) of the rectangle: a picture that
 * differs there by one pixel gives another hash. */
static inline uint64_t grab_hash_part(const Grab* g, int px, int py, int pw, int ph) {
    uint64_t h = 1469598103934665603ull;
    const size_t bytes = (size_t)(g->image->bits_per_pixel / 8);
    const size_t row = (size_t)pw * bytes;
    for (int y = py; y < py + ph; ++y) {
        const unsigned char* p = (const unsigned char*)g->image->data +
                                 (size_t)y * (size_t)g->image->bytes_per_line + (size_t)px * bytes;
        size_t i = 0;
        for (; i + 8 <= row; i += 8) {
            uint64_t v;
            memcpy(&v, p + i, 8);
            h = (h ^ v) * 1099511628211ull;
        }
        for (; i < row; ++i) h = (h ^ p[i]) * 1099511628211ull;
    }
    return h;
}

static inline uint64_t grab_hash(const Grab* g) {
    return grab_hash_part(g, 0, 0, g->w, g->h);
}
