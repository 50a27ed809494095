/* A property of the machine, not of the player: milliseconds to read one byte
 * of each of 345 pages of memory (a picture area's rows in a 6000-pixel-wide
 * photograph) that were written, then left untouched for a second. On a
 * computer of its own this is a few microseconds; where the memory of an idle
 * virtual machine is taken back by its host, each page costs a fault there. */
#define _POSIX_C_SOURCE 200809L
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static double now_ms(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

int main(void)
{
    enum { Rows = 345, RowBytes = 6000 * 4 };
    char *pixels = malloc((size_t)Rows * RowBytes);
    if (!pixels)
        return 1;
    memset(pixels, 1, (size_t)Rows * RowBytes);
    const struct timespec second = {1, 0};
    nanosleep(&second, NULL);
    const double start = now_ms();
    volatile long sum = 0;
    for (int row = 0; row < Rows; ++row)
        sum += pixels[(size_t)row * RowBytes];
    printf("%.2f\n", now_ms() - start);
    free(pixels);
    return sum == Rows ? 0 : 1;
}
