/* Parses one INI file N times with inih, collecting every section, key and value into
 * memory (one copy of each section name, shared by its keys; a copy of each key and value),
 * and prints the median time of a parse and the number of sections and entries.
 * Usage: inih_load_bench FILE [N]
 * Build: cc -O2 inih_load_bench.c $(pkg-config --cflags --libs inih) -o inih_load_bench
 */
#define _POSIX_C_SOURCE 200809L
#include <ini.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

struct entry {
    const char *section;
    char *key;
    char *value;
};

struct collected {
    struct entry *entries;
    size_t count, capacity;
    char **sections;
    size_t section_count, section_capacity;
};

static int on_entry(void *user, const char *section, const char *name, const char *value)
{
    struct collected *c = user;
    if (c->section_count == 0 || strcmp(c->sections[c->section_count - 1], section) != 0) {
        if (c->section_count == c->section_capacity) {
            c->section_capacity = c->section_capacity ? c->section_capacity * 2 : 64;
            c->sections = realloc(c->sections, c->section_capacity * sizeof *c->sections);
        }
        c->sections[c->section_count++] = strdup(section);
    }
    if (c->count == c->capacity) {
        c->capacity = c->capacity ? c->capacity * 2 : 256;
        c->entries = realloc(c->entries, c->capacity * sizeof *c->entries);
    }
    c->entries[c->count].section = c->sections[c->section_count - 1];
    c->entries[c->count].key = strdup(name);
    c->entries[c->count].value = strdup(value);
    c->count++;
    return 1;
}

static void release(struct collected *c)
{
    for (size_t i = 0; i < c->count; i++) {
        free(c->entries[i].key);
        free(c->entries[i].value);
    }
    for (size_t i = 0; i < c->section_count; i++)
        free(c->sections[i]);
    free(c->entries);
    free(c->sections);
    memset(c, 0, sizeof *c);
}

static int by_value(const void *a, const void *b)
{
    double x = *(const double *)a, y = *(const double *)b;
    return (x > y) - (x < y);
}

int main(int argc, char **argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: inih_load_bench FILE [N]\n");
        return 2;
    }
    int runs = argc > 2 ? atoi(argv[2]) : 20;
    if (runs < 1)
        runs = 1;
    double *ms = calloc((size_t)runs, sizeof *ms);
    size_t entries = 0, sections = 0;
    for (int i = 0; i < runs; i++) {
        struct timespec t0, t1;
        struct collected c = {0};
        clock_gettime(CLOCK_MONOTONIC, &t0);
        int rc = ini_parse(argv[1], on_entry, &c);
        clock_gettime(CLOCK_MONOTONIC, &t1);
        ms[i] = (double)(t1.tv_sec - t0.tv_sec) * 1e3 + (double)(t1.tv_nsec - t0.tv_nsec) / 1e6;
        if (rc < 0) {
            fprintf(stderr, "cannot read %s\n", argv[1]);
            return 1;
        }
        entries = c.count;
        sections = c.section_count;
        release(&c);
    }
    qsort(ms, (size_t)runs, sizeof *ms, by_value);
    printf("inih: median %.3f ms  min %.3f ms  (%d loads)  section runs %zu  entries %zu\n",
           ms[runs / 2], ms[0], runs, sections, entries);
    free(ms);
    return 0;
}
