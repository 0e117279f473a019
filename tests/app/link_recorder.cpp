// Stands in for the browser and the mail program that a card's links are handed to: appends
// the link it was started with to a record file, one line per start, and ends.
// Usage: link_recorder <record file> <link>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    FILE* record = fopen(argv[1], "a");
    if (!record) return 1;
    fprintf(record, "%s\n", argv[2]);
    return fclose(record) == 0 ? 0 : 1;
}
