/* start_probe [options] RUNS LABEL PROGRAM [LABEL PROGRAM]...: starts each Windows program under Wine
 * (`wine PROGRAM` in the current folder, as a menu entry starts it), RUNS times after a first start,
 * taking turns, and times each start from the moment it is made to the moment the X server's pixels
 * show the window as it finally stands. The first start of each program fixes that final picture
 * (the screen three seconds after the window appeared), the part of the screen it covers, and the
 * rectangle within it that still changes while it is watched one and a half seconds more (the
 * search box's caret, which blinks); every later start is timed until every pixel of that part but
 * the blinking rectangle is as in the final picture. Each start is ended (killed) once timed, and
 * the next one waits:
 *   by default half a second, while Wine's desktop process stays (something else holds it);
 *   with --fresh until no desktop process of this Wine prefix is left (Wine ends it a second after
 *   the last program on the desktop ends), so that each start is made on a fresh desktop;
 *   with --server-ended until no Wine server of this prefix is left (it ends about three seconds
 *   after the last program of the prefix), so that each start starts the server as well.
 * Prints each program's times, then "NAME: LABEL median X ms, LABEL median Y ms" with --name NAME.
 * With --trace each program is started with VEXA_START_TRACE naming a file in which it writes when
 * its steps happened (wall-clock milliseconds and a name a line); the median time of each step
 * from the start is printed instead of the times. Built with the host's compiler by bench/startup/run.
 */
#define _GNU_SOURCE
#include "../screen_grab.h"

#include <dirent.h>
#include <signal.h>
#include <stdio.h>
#include <sys/wait.h>
#include <unistd.h>

/* Reading the pixels keeps the X server busy, which the started program needs too: a reading every
 * PollUs, so a time is late by at most about that much. The part of the final picture that blinks
 * (the search box's caret) is found by reading it every BlinkReadMs for BlinkWatchMs, more than one
 * period of the caret, and is left out of the comparison. */
enum {
    PollUs = 2000,
    SettleMs = 500,
    AppearMs = 20000,
    FinalAfterMs = 3000,
    BlinkWatchMs = 1500,
    BlinkReadMs = 20,
    GoneMs = 30000,
    MaxRuns = 200,
    MaxSteps = 128
};

static Display* dpy;
static int screenW, screenH;
static const char* prefix;

static double wall_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_REALTIME, &t);
    return (double)t.tv_sec * 1000.0 + (double)t.tv_nsec / 1e6;
}

static void sleep_ms(double ms) {
    sleep_us((long)(ms * 1000.0));
}

/* Whether a process of this Wine prefix runs a program whose first argument contains `name`:
 * Wine's desktop ("explorer.exe", as explorer.exe /desktop) or its server ("wineserver"). */
static int prefix_runs(const char* name) {
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
        if (!strcasestr(buf, name)) continue;
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
    int x, y, w, h;                     /* the part of the screen the final picture covers */
    uint32_t* final;                    /* its pixels */
    int blinkX, blinkY, blinkW, blinkH; /* the part of it that blinks, left out (none when blinkW is 0) */
    double times[MaxRuns];
    /* --trace: the steps by name, each start's time of each (negative when missing) */
    char* steps[MaxSteps];
    int stepCount;
    double stepAt[MaxSteps][MaxRuns];
} Program;

/* What each start waits for before it is made. */
enum Wait { DesktopKept, FreshDesktop, ServerEnded };
static enum Wait waitFor = DesktopKept;
static int tracing;
static char traceFolder[256];
static char traceFile[300];

static const char* condition(void) {
    return waitFor == ServerEnded    ? "Wine's server ended"
           : waitFor == FreshDesktop ? "fresh desktop"
                                     : "desktop kept";
}

/* The process a fresh start must not find: Wine's desktop, or Wine's server itself. */
static const char* gone_before_start(void) {
    return waitFor == ServerEnded ? "wineserver" : waitFor == FreshDesktop ? "explorer.exe" : NULL;
}

/* Waits until the process a start must not find has ended (Wine ends its desktop a second after the
 * last program on it, its server about three seconds after the last program of the prefix). */
static void wait_until_gone(void) {
    const char* name = gone_before_start();
    if (!name) return;
    const double since = now_ms();
    while (prefix_runs(name)) {
        if (now_ms() - since > GoneMs) {
            printf("%s of %s still runs after %d s; cannot make a start without it\n", name, prefix,
                   GoneMs / 1000);
            exit(1);
        }
        sleep_ms(20);
    }
}

static pid_t start(const Program* p, double* startedMs, double* startedWallMs) {
    if (tracing) unlink(traceFile);
    *startedWallMs = wall_ms();
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
    wait_until_gone();
    sleep_ms(SettleMs);
}

/* The final picture: the screen three seconds after it first differs from the empty screen, and
 * within it the rectangle of every pixel that changes while it is watched a while longer (the caret
 * blinking in the search box). */
static int final_picture(Program* p, const uint32_t* empty) {
    Grab g;
    grab_open(&g, dpy, 0, 0, screenW, screenH);
    double at, wall;
    const pid_t child = start(p, &at, &wall);
    int shown = 0;
    while (!shown && now_ms() - at < AppearMs) {
        sleep_ms(10);
        grab_read(&g);
        for (int y = 0; y < screenH && !shown; ++y)
            for (int x = 0; x < screenW && !shown; ++x)
                shown = grab_pixel(&g, x, y) != empty[(size_t)y * (size_t)screenW + (size_t)x];
    }
    if (shown) {
        sleep_ms(FinalAfterMs);
        grab_read(&g);
        int x0 = screenW, y0 = screenH, x1 = -1, y1 = -1;
        for (int y = 0; y < screenH; ++y)
            for (int x = 0; x < screenW; ++x)
                if (grab_pixel(&g, x, y) != empty[(size_t)y * (size_t)screenW + (size_t)x]) {
                    if (x < x0) x0 = x;
                    if (x > x1) x1 = x;
                    if (y < y0) y0 = y;
                    if (y > y1) y1 = y;
                }
        shown = x1 >= 0;
        if (shown) {
            p->x = x0, p->y = y0, p->w = x1 - x0 + 1, p->h = y1 - y0 + 1;
            Grab part;
            grab_open(&part, dpy, p->x, p->y, p->w, p->h);
            grab_read(&part);
            p->final = grab_snapshot(&part);
            int bx0 = p->w, by0 = p->h, bx1 = -1, by1 = -1;
            for (const double since = now_ms(); now_ms() - since < BlinkWatchMs;) {
                sleep_ms(BlinkReadMs);
                grab_read(&part);
                for (int y = 0; y < p->h; ++y)
                    for (int x = 0; x < p->w; ++x)
                        if (grab_pixel(&part, x, y) != p->final[(size_t)y * (size_t)p->w + (size_t)x]) {
                            if (x < bx0) bx0 = x;
                            if (x > bx1) bx1 = x;
                            if (y < by0) by0 = y;
                            if (y > by1) by1 = y;
                        }
            }
            grab_close(&part);
            if (bx1 >= 0)
                p->blinkX = bx0, p->blinkY = by0, p->blinkW = bx1 - bx0 + 1, p->blinkH = by1 - by0 + 1;
        }
    }
    grab_close(&g);
    end(child);
    return shown;
}

/* Pixels of the grab (of the final picture's part of the screen) that differ from the final picture
 * outside the rectangle that blinks; *box gets their bounding rectangle (x, y, w, h) when asked. */
static long differing(const Program* p, const Grab* g, int* box) {
    long n = 0;
    int x0 = p->w, y0 = p->h, x1 = -1, y1 = -1;
    for (int y = 0; y < p->h; ++y)
        for (int x = 0; x < p->w; ++x) {
            if (x >= p->blinkX && x < p->blinkX + p->blinkW && y >= p->blinkY && y < p->blinkY + p->blinkH)
                continue;
            if (grab_pixel(g, x, y) == p->final[(size_t)y * (size_t)p->w + (size_t)x]) continue;
            ++n;
            if (!box) return n;
            if (x < x0) x0 = x;
            if (x > x1) x1 = x;
            if (y < y0) y0 = y;
            if (y > y1) y1 = y;
        }
    if (box) box[0] = x0, box[1] = y0, box[2] = x1 - x0 + 1, box[3] = y1 - y0 + 1;
    return n;
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

/* Milliseconds from the start to the final picture on the screen, every pixel of it but the blinking
 * rectangle; or -1, having said what still differed. */
static double time_start(Program* p, int run) {
    Grab g;
    grab_open(&g, dpy, p->x, p->y, p->w, p->h);
    double at, wall, took = -1;
    const pid_t child = start(p, &at, &wall);
    while (now_ms() - at < AppearMs) {
        grab_read(&g);
        const double t = now_ms();
        if (differing(p, &g, NULL) == 0) {
            took = t - at;
            break;
        }
        sleep_us(PollUs);
    }
    if (took < 0) {
        int box[4];
        const long n = differing(p, &g, box);
        printf("%s, start %d: the window never showed its final picture; %ld pixels still differed, "
               "within %dx%d at (%d, %d) of its part of the screen\n",
               p->label, run + 1, n, box[2], box[3], box[0], box[1]);
    }
    grab_close(&g);
    /* A start that found no such process of the prefix running would mean that the wait before it
     * never waited for anything. */
    const char* gone = gone_before_start();
    if (gone && took >= 0 && !prefix_runs(gone)) {
        printf("%s: no process %s of %s was seen; cannot tell a start without it\n", p->label, gone, prefix);
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
            waitFor = FreshDesktop;
        else if (strcmp(argv[a], "--server-ended") == 0)
            waitFor = ServerEnded;
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
        fprintf(stderr, "usage: start_probe [--fresh | --server-ended] [--trace] [--name NAME] RUNS LABEL "
                        "PROGRAM...\n");
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
    XWindowAttributes attributes;
    XGetWindowAttributes(dpy, DefaultRootWindow(dpy), &attributes);
    screenW = attributes.width, screenH = attributes.height;
    /* The programs write their steps into a folder of this run's own, made so that no one else has it. */
    const char* temporary = getenv("TMPDIR");
    snprintf(traceFolder, sizeof traceFolder, "%s/start_probe.XXXXXX",
             temporary && *temporary ? temporary : "/tmp");
    if (tracing && !mkdtemp(traceFolder)) {
        perror("start_probe: a folder for the trace");
        return 2;
    }
    snprintf(traceFile, sizeof traceFile, "%s/trace", traceFolder);

    Program* programs = calloc((size_t)count, sizeof *programs);
    for (int i = 0; i < count; ++i)
        programs[i].label = argv[a + 2 * i], programs[i].exe = argv[a + 2 * i + 1];

    wait_until_gone();
    Grab screen;
    if (!grab_open(&screen, dpy, 0, 0, screenW, screenH)) {
        fprintf(stderr, "start_probe: the screen is not of 32-bit pixels\n");
        return 2;
    }
    grab_read(&screen);
    uint32_t* empty = grab_snapshot(&screen);
    grab_close(&screen);
    for (int i = 0; i < count; ++i) {
        Program* p = &programs[i];
        if (!final_picture(p, empty)) {
            printf("%s: the window did not show\n", p->label);
            return 1;
        }
        /* A caret is a few pixels wide; more than that blinking means the window never stands still. */
        if ((long)p->blinkW * p->blinkH * 100 > (long)p->w * p->h) {
            printf("%s: a part of %dx%d pixels of the window still changed three seconds after it appeared\n",
                   p->label, p->blinkW, p->blinkH);
            return 1;
        }
    }
    for (int r = 0; r < runs; ++r)
        for (int i = 0; i < count; ++i) {
            programs[i].times[r] = time_start(&programs[i], r);
            if (programs[i].times[r] < 0) return 1;
        }

    for (int i = 0; i < count; ++i) {
        Program* p = &programs[i];
        if (tracing) {
            printf("%s, %s, median of %d starts: milliseconds from the start (since the step before)\n",
                   p->label, condition(), runs);
            double before = 0;
            for (int s = 0; s < p->stepCount; ++s) {
                const double m = median(p->stepAt[s], runs);
                if (m < 0) continue;
                printf("  %-28s %7.1f  (%+.1f)\n", p->steps[s], m, m - before);
                before = m;
            }
            continue;
        }
        printf("%s, %s, %d starts to every pixel of its %dx%d final picture", p->label, condition(), runs,
               p->w, p->h);
        if (p->blinkW) printf(" but the %dx%d that blinks", p->blinkW, p->blinkH);
        printf(", milliseconds:");
        for (int r = 0; r < runs; ++r) printf(" %.0f", p->times[r]);
        printf("\n");
    }
    if (name && !tracing) {
        printf("%s:", name);
        for (int i = 0; i < count; ++i)
            printf("%s %s median %.0f ms", i ? "," : "", programs[i].label, median(programs[i].times, runs));
        printf("\n");
    }
    if (tracing) {
        unlink(traceFile);
        rmdir(traceFolder);
    }
    XCloseDisplay(dpy);
    return 0;
}
