/* SPDX-License-Identifier: MIT */
/* The floor for `tally days`: the least work that prints what it prints for a sound log with
 * the default settings (no rounding, half-month periods): read the log in large blocks,
 * take the In and Out timestamps of each pair, add up each day and each period, print a row
 * per day but the last and a separator per period. No checks, no settings, no C++ streams.
 * bench/run_programs.sh builds it with the C compiler, compares its output with tally's and
 * times both in one run.
 * Usage: days_floor LOG */
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

enum { kRecord = 31, kBlock = 1 << 20 };

static char in_buf[kBlock + 64];
static size_t in_len, in_pos;
static int log_fd;
static char out_buf[1 << 16];
static size_t out_len;

/* The next line, its line end included; NULL at the end of the log. */
static const char* next_line(size_t* length) {
    const char* end = memchr(in_buf + in_pos, '\n', in_len - in_pos);
    if (end == NULL) {
        memmove(in_buf, in_buf + in_pos, in_len - in_pos);
        in_len -= in_pos;
        in_pos = 0;
        ssize_t got = read(log_fd, in_buf + in_len, kBlock);
        if (got <= 0) return NULL;
        in_len += (size_t)got;
        end = memchr(in_buf, '\n', in_len);
        if (end == NULL) return NULL;
    }
    const char* line = in_buf + in_pos;
    *length = (size_t)(end + 1 - line);
    in_pos += *length;
    return line;
}

static void put(const char* text, size_t length) {
    if (out_len + length > sizeof out_buf) {
        fwrite(out_buf, 1, out_len, stdout);
        out_len = 0;
    }
    memcpy(out_buf + out_len, text, length);
    out_len += length;
}

static int two(const char* p) {
    return (p[0] - '0') * 10 + (p[1] - '0');
}

static int month_of(const char* p) {
    static const char names[] = "JanFebMarAprMayJunJulAugSepOctNovDec";
    for (int m = 0; m < 12; ++m) {
        if (memcmp(names + 3 * m, p, 3) == 0) return m + 1;
    }
    return 1;
}

static int days_in_month(int y, int m) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && (y % 4 == 0 && (y % 100 != 0 || y % 400 == 0)) ? 29 : days[m - 1];
}

/* Days since 1970-01-01 of a proleptic Gregorian date. */
static long days_from_civil(int y, int m, int d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    return era * 146097 + yoe * 365 + yoe / 4 - yoe / 100 + doy - 719468;
}

struct stamp {
    long day;    /* days since the epoch */
    long second; /* of the day */
    int year, month, mday;
};

/* "In...Mon Jan 01 00:04:53 1990": the timestamp starts at 5. */
static struct stamp parse(const char* r) {
    struct stamp s;
    s.month = month_of(r + 9);
    s.mday = two(r + 13);
    s.year = two(r + 25) * 100 + two(r + 27);
    s.day = days_from_civil(s.year, s.month, s.mday);
    s.second = two(r + 16) * 3600L + two(r + 19) * 60 + two(r + 22);
    return s;
}

static void put_time(long seconds) {
    char text[32];
    int n = snprintf(text, sizeof text, "%02ld:%02ld:%02ld\n", seconds / 3600, seconds / 60 % 60,
                     seconds % 60);
    put(text, (size_t)n);
}

/* The last day of the half month that holds the day. */
static long half_month_end(const struct stamp* s) {
    int last = s->mday <= 15 ? 15 : days_in_month(s->year, s->month);
    return days_from_civil(s->year, s->month, last);
}

int main(int argc, char** argv) {
    if (argc != 2 || (log_fd = open(argv[1], O_RDONLY)) < 0) {
        fprintf(stderr, "usage: days_floor LOG\n");
        return 2;
    }
    char day_record[kRecord];
    long day = 0, day_total = 0, period_total = 0, period_end = 0;
    int any = 0;
    size_t length;
    const char* line;
    while ((line = next_line(&length)) != NULL) {
        const struct stamp in = parse(line);
        if (!any) {
            any = 1;
            day = in.day;
            memcpy(day_record, line, kRecord);
            period_end = half_month_end(&in);
            put("Day  Date          Time\n", 24);
        } else if (in.day != day) {
            /* "Mon  Jan 01, 1990  " from the day's first In record */
            char row[20];
            memcpy(row, day_record + 5, 3);
            memcpy(row + 3, "  ", 2);
            memcpy(row + 5, day_record + 9, 6);
            memcpy(row + 11, ", ", 2);
            memcpy(row + 13, day_record + 25, 4);
            memcpy(row + 17, "  ", 2);
            put(row, 19);
            put_time(day_total);
            period_total += day_total;
            if (period_end < in.day) {
                put("     ----------    ", 19);
                put_time(period_total);
                period_total = 0;
                period_end = half_month_end(&in);
            }
            day = in.day;
            day_total = 0;
            memcpy(day_record, line, kRecord);
        }
        if ((line = next_line(&length)) == NULL) break;
        const struct stamp out = parse(line);
        day_total += (out.day - in.day) * 86400 + out.second - in.second;
        if (next_line(&length) == NULL) break; /* the Elapsed line */
    }
    fwrite(out_buf, 1, out_len, stdout);
    return 0;
}
