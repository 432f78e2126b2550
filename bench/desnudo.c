/* The plain loop vaviviv-cli masivo 00 is measured against: one thread,
 * stdio, the Luhn digit, the same bytes out. It trusts its input (one
 * reference of digits per line, generated) and checks only its I/O.
 *
 * Usage: desnudo INPUT OUTPUT HEADER
 * HEADER is the results' title line as the tool writes it, without its line
 * end, so that the titles are written down in one place only. */
#define _POSIX_C_SOURCE 200809L
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

enum { kBuffer = 1 << 20 };

static int fallo(const char *que, const char *nombre) {
    perror(nombre ? nombre : que);
    fprintf(stderr, "desnudo: %s\n", que);
    return 1;
}

int main(int argc, char **argv) {
    if (argc != 4) {
        fprintf(stderr, "uso: desnudo ENTRADA SALIDA CABECERA\n");
        return 2;
    }
    FILE *entrada = fopen(argv[1], "rb");
    if (!entrada) return fallo("no se pudo abrir la entrada", argv[1]);
    FILE *salida = fopen(argv[2], "wb");
    if (!salida) return fallo("no se pudo crear la salida", argv[2]);
    if (setvbuf(entrada, NULL, _IOFBF, kBuffer) != 0 || setvbuf(salida, NULL, _IOFBF, kBuffer) != 0)
        return fallo("sin memoria para los búferes", NULL);

    if (fprintf(salida, "%s\r\n", argv[3]) < 0) return fallo("no se pudo escribir", argv[2]);

    /* A digit doubled, its two digits added. */
    static const unsigned char doble[10] = {0, 2, 4, 6, 8, 1, 3, 5, 7, 9};
    char *linea = NULL, *registro = NULL;
    size_t capacidad = 0, capacidad_registro = 0;
    ssize_t leidos;
    while ((leidos = getline(&linea, &capacidad, entrada)) >= 0) {
        size_t n = (size_t)leidos;
        while (n > 0 && (linea[n - 1] == '\n' || linea[n - 1] == '\r')) --n;
        /* Reference, tab, reference and digit, tab, digit, tab, CR LF. */
        if (2 * n + 7 > capacidad_registro) {
            capacidad_registro = 2 * n + 7;
            free(registro);
            registro = malloc(capacidad_registro);
            if (!registro) return fallo("sin memoria", NULL);
        }
        /* The check digit goes to the right: the reference's last digit is doubled. */
        unsigned suma = 0;
        int doblar = 1;
        for (size_t i = n; i-- > 0; doblar = !doblar) {
            unsigned d = (unsigned)(linea[i] - '0');
            suma += doblar ? doble[d] : d;
        }
        char digito = (char)('0' + (10 - suma % 10) % 10);
        char *p = registro;
        memcpy(p, linea, n);
        p += n;
        *p++ = '\t';
        memcpy(p, linea, n);
        p += n;
        *p++ = digito;
        *p++ = '\t';
        *p++ = digito;
        *p++ = '\t';
        *p++ = '\r';
        *p++ = '\n';
        size_t largo = (size_t)(p - registro);
        if (fwrite(registro, 1, largo, salida) != largo) return fallo("no se pudo escribir", argv[2]);
    }
    if (ferror(entrada)) return fallo("no se pudo leer", argv[1]);
    free(linea);
    free(registro);
    fclose(entrada);
    if (fclose(salida) != 0) return fallo("no se pudo cerrar", argv[2]);
    return 0;
}
