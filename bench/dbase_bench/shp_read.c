/* The peer reader: reads every value of every record that is not deleted into memory with
 * shapelib's DBF functions, as a table array would hold them.
 * Usage: shp_read FILE */
#include <shapefil.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int main(int argc, char **argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: shp_read FILE\n");
        return 2;
    }
    DBFHandle h = DBFOpen(argv[1], "rb");
    if (!h) {
        fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }
    const int records = DBFGetRecordCount(h);
    const int fields = DBFGetFieldCount(h);
    char **values = malloc(sizeof(char *) * (size_t)records * (size_t)fields);
    long rows = 0;
    size_t bytes = 0;
    for (int r = 0; r < records; ++r) {
        if (DBFIsRecordDeleted(h, r))
            continue;
        for (int c = 0; c < fields; ++c) {
            const char *v = DBFReadStringAttribute(h, r, c);
            char *copy = strdup(v ? v : "");
            bytes += strlen(copy);
            values[rows * fields + c] = copy;
        }
        ++rows;
    }
    printf("rows=%ld bytes=%zu\n", rows, bytes);
    for (long i = 0; i < rows * fields; ++i)
        free(values[i]);
    free(values);
    DBFClose(h);
    return 0;
}
