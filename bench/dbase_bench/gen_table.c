/* Writes a dBase III table for the benchmark: N records of four character fields of
 * 10, 20, 8 and 30 bytes, every 10th record marked deleted.
 * Usage: gen_table FILE [RECORDS] */
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static void put16(unsigned char *p, unsigned v)
{
    p[0] = v & 0xFF;
    p[1] = (v >> 8) & 0xFF;
}
static void put32(unsigned char *p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = (v >> (8 * i)) & 0xFF;
}

int main(int argc, char **argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: gen_table FILE [RECORDS]\n");
        return 2;
    }
    const long records = argc > 2 ? atol(argv[2]) : 1000000L;
    static const char *names[] = {"CODE", "NAME", "DATE", "REMARK"};
    static const int widths[] = {10, 20, 8, 30};
    const int nfields = 4;
    int recordLength = 1;
    for (int i = 0; i < nfields; ++i)
        recordLength += widths[i];
    const int headerLength = 32 * nfields + 33;

    FILE *f = fopen(argv[1], "wb");
    if (!f) {
        perror(argv[1]);
        return 1;
    }
    unsigned char header[32] = {0};
    header[0] = 3;
    header[1] = 126;
    header[2] = 12;
    header[3] = 8;
    put32(header + 4, (uint32_t)records);
    put16(header + 8, headerLength);
    put16(header + 10, recordLength);
    header[29] = 2;
    fwrite(header, 1, 32, f);
    int position = 1;
    for (int i = 0; i < nfields; ++i) {
        unsigned char d[32] = {0};
        strncpy((char *)d, names[i], 11);
        d[11] = 'C';
        put32(d + 12, (uint32_t)(position + 1));
        position += widths[i];
        d[16] = (unsigned char)widths[i];
        d[18] = 2;
        fwrite(d, 1, 32, f);
    }
    fputc(0x0D, f);

    char *rec = malloc((size_t)recordLength);
    char buf[64];
    for (long r = 1; r <= records; ++r) {
        memset(rec, ' ', (size_t)recordLength);
        rec[0] = (r % 10 == 0) ? '*' : ' ';
        int off = 1;
        int n = snprintf(buf, sizeof buf, "C%08ld", r);
        memcpy(rec + off, buf, (size_t)(n < 10 ? n : 10));
        off += 10;
        n = snprintf(buf, sizeof buf, "Name %ld Smith", r * 7919 % 100003);
        memcpy(rec + off, buf, (size_t)(n < 20 ? n : 20));
        off += 20;
        n = snprintf(buf, sizeof buf, "2026%02ld%02ld", r % 12 + 1, r % 28 + 1);
        memcpy(rec + off, buf, 8);
        off += 8;
        n = snprintf(buf, sizeof buf, "Remark for record %ld", r);
        memcpy(rec + off, buf, (size_t)(n < 30 ? n : 30));
        fwrite(rec, 1, (size_t)recordLength, f);
    }
    fputc(0x1A, f);
    free(rec);
    return fclose(f) == 0 ? 0 : 1;
}
