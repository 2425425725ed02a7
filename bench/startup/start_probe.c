/* start_probe [options] RUNS LABEL PROGRAM [LABEL PROGRAM]...: starts each Windows program under Wine
 * (`wine PROGRAM` in the current folder, as a menu entry starts it), RUNS times after a first start,
 * taking turns, and times each start from the moment it is made to the moment the X server's pixels
 * show the window as it finally stands. The first start of each program fixes that final picture
 * (the screen three seconds after the window appeared) and the part of the screen it covers; every
 * later start is timed against it, a few pixels (a caret) may differ. Each start is ended (killed)
 * once timed, and the next one waits:
 *   by default half a second, while Wine's desktop process stays (something else holds it);
 *   with --fresh until no desktop process of this Wine prefix is left (Wine ends it a second after
 *   the last program on the desktop ends), so that each start is made on a fresh desktop.
 * Prints each program's times, then "NAME: LABEL median X ms, LABEL median Y ms" with --name NAME.
 * With --trace each program is started with VEXA_START_TRACE naming a file in which it writes when
 * its steps happened (wall-clock milliseconds and a name a line); the median time of each step
 * from the start is printed instead of the times. Built with the host's compiler by bench/startup/run.
 */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <dirent.h>
#include <errno.h>
#include <signal.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

/* Reading the pixels keeps the X server busy, which the started program needs too: a reading every
 * PollUs, so a time is late by at most about that much. */
enum { PollUs = 2000, SettleMs = 500, AppearMs = 20000, FinalAfterMs = 3000, MaxRuns = 200, MaxSteps = 128 };

static Display* dpy;
static Window root;
static int screenW, screenH;
static const char* prefix;

static double clock_ms(clockid_t clock) {
    struct timespec t;
    clock_gettime(clock, &t);
    return (double)t.tv_sec * 1000.0 + (double)t.tv_nsec / 1e6;
}
static double now_ms(void) {
    return clock_ms(CLOCK_MONOTONIC);
}

static void sleep_ms(double ms) {
    struct timespec t = {(time_t)(ms / 1000), (long)((ms - (double)(time_t)(ms / 1000) * 1000) * 1e6)};
    while (nanosleep(&t, &t) == -1 && errno == EINTR) {
    }
}

/* A rectangle of the root window, read through shared memory. */
typedef struct {
    int x, y, w, h;
    XImage* image;
    XShmSegmentInfo shm;
} Grab;

static int grab_open(Grab* g, int x, int y, int w, int h) {
    memset(g, 0, sizeof *g);
    g->x = x, g->y = y, g->w = w, g->h = h;
    const int screen = DefaultScreen(dpy);
    g->image = XShmCreateImage(dpy, DefaultVisual(dpy, screen), (unsigned)DefaultDepth(dpy, screen), ZPixmap,
                               NULL, &g->shm, (unsigned)w, (unsigned)h);
    if (!g->image || g->image->bits_per_pixel != 32) return 0;
    g->shm.shmid = shmget(IPC_PRIVATE, (size_t)g->image->bytes_per_line * (size_t)h, IPC_CREAT | 0600);
    g->shm.shmaddr = g->image->data = shmat(g->shm.shmid, NULL, 0);
    g->shm.readOnly = False;
    XShmAttach(dpy, &g->shm);
    XSync(dpy, False);
    shmctl(g->shm.shmid, IPC_RMID, NULL);
    return 1;
}

static void grab_close(Grab* g) {
    XShmDetach(dpy, &g->shm);
    XDestroyImage(g->image);
    shmdt(g->shm.shmaddr);
}

static void grab_read(Grab* g) {
    XShmGetImage(dpy, root, g->image, g->x, g->y, AllPlanes);
}

static uint32_t pixel(const Grab* g, int x, int y) {
    return ((const uint32_t*)(g->image->data + (size_t)y * (size_t)g->image->bytes_per_line))[x] & 0xFFFFFFu;
}

/* The pixels of a grab, copied. */
static uint32_t* snapshot(const Grab* g) {
    uint32_t* p = malloc(sizeof *p * (size_t)g->w * (size_t)g->h);
    for (int y = 0; y < g->h; ++y)
        for (int x = 0; x < g->w; ++x) p[(size_t)y * (size_t)g->w + (size_t)x] = pixel(g, x, y);
    return p;
}

static long differing(const Grab* g, const uint32_t* picture) {
    long n = 0;
    for (int y = 0; y < g->h; ++y)
        for (int x = 0; x < g->w; ++x) n += pixel(g, x, y) != picture[(size_t)y * (size_t)g->w + (size_t)x];
    return n;
}

/* Whether a process of this Wine prefix runs Wine's desktop (explorer.exe /desktop). */
static int desktop_running(void) {
    DIR* d = opendir("/proc");
    if (!d) return 0;
    char want[4096];
    snprintf(want, sizeof want, "WINEPREFIX=%s", prefix);
    int found = 0;
    struct dirent* e;
    while (!found && (e = readdir(d))) {
        if (e->d_name[0] < '0' || e->d_name[0] > '9') continue;
        char path[300], buf[8192];
        snprintf(path, sizeof path, "/proc/%s/cmdline", e->d_name);
        FILE* f = fopen(path, "r");
        if (!f) continue;
        size_t n = fread(buf, 1, sizeof buf - 1, f);
        fclose(f);
        buf[n] = 0;
        if (!strcasestr(buf, "explorer.exe")) continue;
        snprintf(path, sizeof path, "/proc/%s/environ", e->d_name);
        if (!(f = fopen(path, "r"))) continue;
        char* entry = NULL;
        size_t size = 0;
        while (!found && getdelim(&entry, &size, '\0', f) > 0) found = strcmp(entry, want) == 0;
        free(entry);
        fclose(f);
    }
    closedir(d);
    return found;
}

typedef struct {
    const char* label;
    const char* exe;
    int x, y, w, h;     /* the part of the screen the final picture covers */
    uint32_t* final;    /* its pixels */
    double times[MaxRuns];
    /* --trace: the steps by name, each start's time of each (negative when missing) */
    char* steps[MaxSteps];
    int stepCount;
    double stepAt[MaxSteps][MaxRuns];
} Program;

static int fresh, tracing;
static char traceFile[256];

static pid_t start(const Program* p, double* startedMs, double* startedWallMs) {
    if (tracing) unlink(traceFile);
    *startedWallMs = clock_ms(CLOCK_REALTIME);
    *startedMs = now_ms();
    const pid_t child = fork();
    if (child == 0) {
        if (tracing) setenv("VEXA_START_TRACE", traceFile, 1);
        execlp("wine", "wine", p->exe, (char*)NULL);
        _exit(127);
    }
    return child;
}

/* Ends a start and waits until the next may be made. */
static void end(pid_t child) {
    kill(child, SIGKILL);
    waitpid(child, NULL, 0);
    if (fresh) {
        const double since = now_ms();
        while (desktop_running() && now_ms() - since < 30000) sleep_ms(20);
    }
    sleep_ms(SettleMs);
}

/* The final picture: the screen three seconds after it first differs from the empty screen. */
static int final_picture(Program* p, const uint32_t* empty) {
    Grab g;
    grab_open(&g, 0, 0, screenW, screenH);
    double at, wall;
    const pid_t child = start(p, &at, &wall);
    int shown = 0;
    while (!shown && now_ms() - at < AppearMs) {
        sleep_ms(10);
        grab_read(&g);
        shown = differing(&g, empty) > 0;
    }
    if (shown) {
        sleep_ms(FinalAfterMs);
        grab_read(&g);
        int x0 = screenW, y0 = screenH, x1 = -1, y1 = -1;
        for (int y = 0; y < screenH; ++y)
            for (int x = 0; x < screenW; ++x)
                if (pixel(&g, x, y) != empty[(size_t)y * (size_t)screenW + (size_t)x]) {
                    if (x < x0) x0 = x;
                    if (x > x1) x1 = x;
                    if (y < y0) y0 = y;
                    if (y > y1) y1 = y;
                }
        shown = x1 >= 0;
        if (shown) {
            p->x = x0, p->y = y0, p->w = x1 - x0 + 1, p->h = y1 - y0 + 1;
            Grab part;
            grab_open(&part, p->x, p->y, p->w, p->h);
            grab_read(&part);
            p->final = snapshot(&part);
            grab_close(&part);
        }
    }
    grab_close(&g);
    end(child);
    return shown;
}

static int step_index(Program* p, const char* name) {
    for (int i = 0; i < p->stepCount; ++i)
        if (strcmp(p->steps[i], name) == 0) return i;
    if (p->stepCount == MaxSteps) return -1;
    p->steps[p->stepCount] = strdup(name);
    for (int r = 0; r < MaxRuns; ++r) p->stepAt[p->stepCount][r] = -1;
    return p->stepCount++;
}

/* Reads the steps a start wrote, as milliseconds from the start. */
static void read_trace(Program* p, int run, double startedWallMs) {
    FILE* f = fopen(traceFile, "r");
    if (!f) return;
    char line[512];
    while (fgets(line, sizeof line, f)) {
        double at;
        int n = 0;
        if (sscanf(line, "%lf %n", &at, &n) != 1) continue;
        char* name = line + n;
        name[strcspn(name, "\r\n")] = 0;
        const int i = step_index(p, name);
        if (i >= 0 && p->stepAt[i][run] < 0) p->stepAt[i][run] = at - startedWallMs;
    }
    fclose(f);
}

/* Milliseconds from the start to the final picture on the screen, or -1. */
static double time_start(Program* p, int run) {
    Grab g;
    grab_open(&g, p->x, p->y, p->w, p->h);
    const long allowed = (long)p->w * p->h / 500;
    double at, wall, took = -1;
    const pid_t child = start(p, &at, &wall);
    while (now_ms() - at < AppearMs) {
        grab_read(&g);
        const double t = now_ms();
        if (differing(&g, p->final) <= allowed) {
            took = t - at;
            break;
        }
        sleep_ms(PollUs / 1000.0);
    }
    grab_close(&g);
    /* A fresh start that found no desktop process of the prefix would mean the wait before it
     * never waited for anything. */
    if (fresh && took >= 0 && !desktop_running()) {
        printf("%s: no desktop process of %s was seen; cannot tell a fresh desktop\n", p->label, prefix);
        exit(1);
    }
    if (tracing) {
        read_trace(p, run, wall);
        const int i = step_index(p, "on the screen");
        if (i >= 0) p->stepAt[i][run] = took;
    }
    end(child);
    return took;
}

static int by_value(const void* a, const void* b) {
    const double x = *(const double*)a, y = *(const double*)b;
    return (x > y) - (x < y);
}

static double median(const double* values, int n) {
    double sorted[MaxRuns];
    int m = 0;
    for (int i = 0; i < n; ++i)
        if (values[i] >= 0) sorted[m++] = values[i];
    if (m == 0) return -1;
    qsort(sorted, (size_t)m, sizeof *sorted, by_value);
    return m % 2 ? sorted[m / 2] : (sorted[m / 2 - 1] + sorted[m / 2]) / 2;
}

int main(int argc, char** argv) {
    const char* name = NULL;
    int a = 1;
    for (; a < argc && strncmp(argv[a], "--", 2) == 0; ++a) {
        if (strcmp(argv[a], "--fresh") == 0)
            fresh = 1;
        else if (strcmp(argv[a], "--trace") == 0)
            tracing = 1;
        else if (strcmp(argv[a], "--name") == 0 && a + 1 < argc)
            name = argv[++a];
        else
            break;
    }
    const int runs = a < argc ? atoi(argv[a++]) : 0;
    const int count = (argc - a) / 2;
    if (runs < 1 || runs > MaxRuns || count < 1 || (argc - a) % 2) {
        fprintf(stderr, "usage: start_probe [--fresh] [--trace] [--name NAME] RUNS LABEL PROGRAM...\n");
        return 2;
    }
    prefix = getenv("WINEPREFIX");
    if (!prefix) {
        fprintf(stderr, "start_probe: WINEPREFIX is not set\n");
        return 2;
    }
    dpy = XOpenDisplay(NULL);
    if (!dpy || !XShmQueryExtension(dpy)) {
        fprintf(stderr, "start_probe: no X display with shared memory images\n");
        return 2;
    }
    root = DefaultRootWindow(dpy);
    XWindowAttributes attributes;
    XGetWindowAttributes(dpy, root, &attributes);
    screenW = attributes.width, screenH = attributes.height;
    snprintf(traceFile, sizeof traceFile, "/tmp/start_probe_trace.%d", (int)getpid());

    Program* programs = calloc((size_t)count, sizeof *programs);
    for (int i = 0; i < count; ++i) programs[i].label = argv[a + 2 * i], programs[i].exe = argv[a + 2 * i + 1];

    if (fresh) {
        const double since = now_ms();
        while (desktop_running() && now_ms() - since < 30000) sleep_ms(20);
    }
    Grab screen;
    if (!grab_open(&screen, 0, 0, screenW, screenH)) {
        fprintf(stderr, "start_probe: the screen is not of 32-bit pixels\n");
        return 2;
    }
    grab_read(&screen);
    uint32_t* empty = snapshot(&screen);
    grab_close(&screen);
    for (int i = 0; i < count; ++i) {
        if (!final_picture(&programs[i], empty)) {
            printf("%s: the window did not show\n", programs[i].label);
            return 1;
        }
    }
    for (int r = 0; r < runs; ++r)
        for (int i = 0; i < count; ++i) {
            programs[i].times[r] = time_start(&programs[i], r);
            if (programs[i].times[r] < 0) {
                printf("%s, start %d: the window never showed its final picture\n", programs[i].label, r + 1);
                return 1;
            }
        }

    for (int i = 0; i < count; ++i) {
        Program* p = &programs[i];
        if (tracing) {
            printf("%s, %s, median of %d starts: milliseconds from the start (since the step before)\n", p->label,
                   fresh ? "fresh desktop" : "desktop kept", runs);
            double before = 0;
            for (int s = 0; s < p->stepCount; ++s) {
                const double m = median(p->stepAt[s], runs);
                if (m < 0) continue;
                printf("  %-28s %7.1f  (%+.1f)\n", p->steps[s], m, m - before);
                before = m;
            }
            continue;
        }
        printf("%s, %s, %d starts, milliseconds:", p->label, fresh ? "fresh desktop" : "desktop kept", runs);
        for (int r = 0; r < runs; ++r) printf(" %.0f", p->times[r]);
        printf("\n");
    }
    if (name && !tracing) {
        printf("%s:", name);
        for (int i = 0; i < count; ++i)
            printf("%s %s median %.0f ms", i ? "," : "", programs[i].label, median(programs[i].times, runs));
        printf("\n");
    }
    unlink(traceFile);
    XCloseDisplay(dpy);
    return 0;
}
