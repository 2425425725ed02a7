/* screen_probe COMMAND...: starts COMMAND (a Windows benchmark under Wine) and does for it what a
 * person at the screen does: it presses keys and clicks with XTest and watches the X server's pixels,
 * so that a time measured is the time until the user could see the result.
 *
 * The benchmark asks on its standard output, one line each (other lines are passed through):
 *   @probe park X Y                  the pointer to (X, Y); answers "ok"
 *   @probe watch X Y W H EX EY EW EH key KEYSYM [part PX PY PW PH] [bar BX BY BW BH BA]
 *   @probe watch X Y W H EX EY EW EH click CX CY [part PX PY PW PH] [bar BX BY BW BH BA]
 *   @probe watch X Y W H EX EY EW EH tap CX CY [part PX PY PW PH] [bar BX BY BW BH BA]
 *       waits until the rectangle X Y W H is still (so what came before is on the screen), presses
 *       and releases the key (or the left button at CX CY: held as a person holds it for a click, at
 *       once for a tap), and watches the rectangle until it stays unchanged for the quiet time.
 *       Answers "done MS CHANGED EMPTY LATE EVERY FRAMES PART FIRST DAMAGED": MS from
 *       the release to the first sight of the final pixels, CHANGED 1 when the pixels changed at all,
 *       EMPTY 1 when the rectangle EX EY EW EH showed one colour only at some moment after the release,
 *       LATE 1 when the rectangle was still changing while the probe waited to begin, EVERY the mean
 *       time between two readings of the pixels, FRAMES how many different pictures it showed after
 *       the release (1 when it went straight to the final one), PART as many for the part PX PY PW PH
 *       of it (the whole rectangle when none is given), FIRST from the release to the first change
 *       seen (MS when it went straight to the final pixels), DAMAGED how many of the pictures showed
 *       a scroll bar's arrow other than before the release and at the end: the column BX BY BW BH,
 *       inside the rectangle, is where the bar stands when shown, and its first and last BA rows
 *       its arrows, which the bar's coming or going changes in one go (0 when no bar is given). A
 *       rectangle of one colour is never taken for the final pixels while the wait lasts.
 *   @probe end                       the probe waits for the benchmark to end
 * Answers go to the benchmark's standard input. Built with the host's compiler by bench/search/run.
 */
#define _GNU_SOURCE
#include "../screen_grab.h"

#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>
#include <signal.h>
#include <stdio.h>
#include <sys/wait.h>
#include <unistd.h>

/* The pixels are read every PollUs and a little more (the reading itself), so a time is late by at
 * most about that much; the wait between readings leaves the processors to the program watched. */
enum {
    QuietMs = 150,
    FirstChangeMs = 3000,
    LongestMs = 6000,
    SettleBeforeMs = 60,
    PollUs = 200,
    MostFrames = 256
};

static Display* dpy;

static void sleep_ms(int ms) {
    sleep_us((long)ms * 1000L);
}

/* Whether the part (ex, ey, ew, eh) of the screen, inside the grabbed rectangle, is of one colour. */
static int one_colour(const Grab* g, int ex, int ey, int ew, int eh) {
    const int x0 = ex - g->x, y0 = ey - g->y;
    if (ew <= 0 || eh <= 0 || x0 < 0 || y0 < 0 || x0 + ew > g->w || y0 + eh > g->h) return 0;
    const uint32_t first = grab_pixel(g, x0, y0);
    for (int y = y0; y < y0 + eh; ++y)
        for (int x = x0; x < x0 + ew; ++x)
            if (grab_pixel(g, x, y) != first) return 0;
    return 1;
}

static void move_pointer(int x, int y) {
    XTestFakeMotionEvent(dpy, DefaultScreen(dpy), x, y, CurrentTime);
    XSync(dpy, False);
}

/* Waits until the rectangle stays unchanged for the quiet time; 1 when it changed meanwhile. */
static int wait_still(Grab* g) {
    grab_read(g);
    uint64_t last = grab_hash(g);
    double since = now_ms();
    const double start = since;
    int changed = 0;
    while (now_ms() - since < QuietMs && now_ms() - start < LongestMs) {
        sleep_us(PollUs);
        grab_read(g);
        const uint64_t h = grab_hash(g);
        if (h != last) {
            last = h;
            since = now_ms();
            changed = 1;
        }
    }
    return changed;
}

/* Where a bar's arrows stand, inside the grabbed rectangle; none when w is 0. */
typedef struct {
    int x, y, w, h, arrow;
} Bar;

/* The two arrows' pixels as one hash. */
static uint64_t arrows_hash(const Grab* g, const Bar* b) {
    if (!b->w) return 0;
    return grab_hash_part(g, b->x, b->y, b->w, b->arrow) * 31u +
           grab_hash_part(g, b->x, b->y + b->h - b->arrow, b->w, b->arrow);
}

/* The options after the key or the button: the part and the bar, each in screen coordinates. */
static int watch_options(const char* s, int* px, int* py, int* pw, int* ph, Bar* bar) {
    for (int n = 0; *s; s += n, n = 0) {
        const int part = sscanf(s, " part %d %d %d %d %n", px, py, pw, ph, &n) == 4;
        if (!part &&
            sscanf(s, " bar %d %d %d %d %d %n", &bar->x, &bar->y, &bar->w, &bar->h, &bar->arrow, &n) != 5)
            return 0;
        if (n == 0) return 0;
    }
    return 1;
}

static void watch(FILE* answer, const char* args) {
    int x, y, w, h, ex, ey, ew, eh, cx = 0, cy = 0, n = 0, m = 0;
    char kind[16] = "", keysym[64] = "";
    if (sscanf(args, "%d %d %d %d %d %d %d %d %15s %n", &x, &y, &w, &h, &ex, &ey, &ew, &eh, kind, &n) < 9) {
        fprintf(answer, "error bad watch\n");
        return;
    }
    const int isKey = strcmp(kind, "key") == 0, quick = strcmp(kind, "tap") == 0;
    if (isKey ? sscanf(args + n, "%63s %n", keysym, &m) != 1
              : sscanf(args + n, "%d %d %n", &cx, &cy, &m) != 2) {
        fprintf(answer, "error bad watch\n");
        return;
    }
    int px = x, py = y, pw = w, ph = h;
    Bar bar = {0, 0, 0, 0, 0};
    if (!watch_options(args + n + m, &px, &py, &pw, &ph, &bar)) {
        fprintf(answer, "error bad watch\n");
        return;
    }
    XWindowAttributes screen;
    XGetWindowAttributes(dpy, DefaultRootWindow(dpy), &screen);
    if (w <= 0 || h <= 0 || x < 0 || y < 0 || x + w > screen.width || y + h > screen.height) {
        fprintf(answer, "error the rectangle is not on the screen\n");
        return;
    }
    if (pw <= 0 || ph <= 0 || px < x || py < y || px + pw > x + w || py + ph > y + h) {
        fprintf(answer, "error the part is not in the rectangle\n");
        return;
    }
    if (bar.w && (bar.arrow <= 0 || 2 * bar.arrow > bar.h || bar.x < x || bar.y < y ||
                  bar.x + bar.w > x + w || bar.y + bar.h > y + h)) {
        fprintf(answer, "error the bar is not in the rectangle\n");
        return;
    }
    px -= x, py -= y;
    bar.x -= x, bar.y -= y;
    KeyCode code = 0;
    if (isKey) {
        code = XKeysymToKeycode(dpy, XStringToKeysym(keysym));
        if (!code) {
            fprintf(answer, "error no key %s\n", keysym);
            return;
        }
    }
    Grab g;
    grab_open(&g, dpy, x, y, w, h);
    const int late = wait_still(&g);
    const uint64_t before = grab_hash(&g);

    /* The press first, given time to be handled; the release is what the measure starts from. */
    if (isKey) {
        XTestFakeKeyEvent(dpy, code, True, CurrentTime);
    } else {
        move_pointer(cx, cy);
        sleep_ms(SettleBeforeMs);
        XTestFakeButtonEvent(dpy, 1, True, CurrentTime);
    }
    XSync(dpy, False);
    if (!quick) sleep_ms(SettleBeforeMs);
    grab_read(&g);
    uint64_t last = grab_hash(&g), lastPart = grab_hash_part(&g, px, py, pw, ph);
    const uint64_t arrowsBefore = arrows_hash(&g, &bar);
    uint64_t arrows[MostFrames], lastArrows = arrowsBefore;
    const double t0 = now_ms();
    if (isKey)
        XTestFakeKeyEvent(dpy, code, False, CurrentTime);
    else
        XTestFakeButtonEvent(dpy, 1, False, CurrentTime);
    XFlush(dpy);

    double lastChange = t0, firstChange = -1;
    int changed = last != before, empty = 0, uniform = 0, reads = 0, frames = 0, partFrames = 0;
    for (;; ++reads) {
        sleep_us(PollUs);
        grab_read(&g);
        const double t = now_ms();
        const uint64_t hash = grab_hash(&g);
        if (hash != last) {
            last = hash;
            lastChange = t;
            if (firstChange < 0) firstChange = t;
            changed = 1;
            lastArrows = arrows_hash(&g, &bar);
            if (frames < MostFrames) arrows[frames] = lastArrows;
            ++frames;
            uniform = one_colour(&g, ex, ey, ew, eh);
            if (uniform) empty = 1;
            const uint64_t part = grab_hash_part(&g, px, py, pw, ph);
            if (part != lastPart) {
                lastPart = part;
                ++partFrames;
            }
        }
        if (t - t0 > LongestMs) break;
        if (!changed && t - t0 > FirstChangeMs) break;
        if (changed && !uniform && t - lastChange >= QuietMs) break;
    }
    const double interval = reads > 0 ? (now_ms() - t0) / reads : 0;
    int damaged = 0;
    for (int i = 0; bar.w && i < frames && i < MostFrames; ++i)
        damaged += arrows[i] != arrowsBefore && arrows[i] != lastArrows;
    grab_close(&g);
    fprintf(answer, "done %.3f %d %d %d %.3f %d %d %.3f %d\n", changed ? lastChange - t0 : -1.0, changed,
            empty, late, interval, frames, partFrames, firstChange < 0 ? -1.0 : firstChange - t0, damaged);
}

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: screen_probe COMMAND [ARGUMENTS...]\n");
        return 2;
    }
    dpy = XOpenDisplay(NULL);
    if (!dpy) {
        fprintf(stderr, "screen_probe: no X display\n");
        return 2;
    }
    int event, error, major, minor;
    if (!XTestQueryExtension(dpy, &event, &error, &major, &minor)) {
        fprintf(stderr, "screen_probe: the X server has no XTest\n");
        return 2;
    }

    int toChild[2], fromChild[2];
    if (pipe(toChild) || pipe(fromChild)) return 2;
    const pid_t child = fork();
    if (child == 0) {
        dup2(toChild[0], 0);
        dup2(fromChild[1], 1);
        close(toChild[1]);
        close(fromChild[0]);
        execvp(argv[1], argv + 1);
        perror("screen_probe: exec");
        _exit(127);
    }
    close(toChild[0]);
    close(fromChild[1]);
    signal(SIGPIPE, SIG_IGN);
    FILE* in = fdopen(fromChild[0], "r");
    FILE* answer = fdopen(toChild[1], "w");

    char* line = NULL;
    size_t size = 0;
    while (getline(&line, &size, in) > 0) {
        if (strncmp(line, "@probe ", 7) != 0) {
            fputs(line, stdout);
            fflush(stdout);
            continue;
        }
        const char* command = line + 7;
        if (strncmp(command, "park ", 5) == 0) {
            int x, y;
            if (sscanf(command + 5, "%d %d", &x, &y) == 2) move_pointer(x, y);
            fprintf(answer, "ok\n");
        } else if (strncmp(command, "watch ", 6) == 0) {
            watch(answer, command + 6);
        } else if (strncmp(command, "end", 3) == 0) {
            fprintf(answer, "ok\n");
        } else {
            fprintf(answer, "error unknown\n");
        }
        fflush(answer);
    }
    free(line);
    fclose(answer);
    int status = 0;
    waitpid(child, &status, 0);
    XCloseDisplay(dpy);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
