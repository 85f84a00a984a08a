/* Code for the disassembler's tests: compiled here for 32-bit and 64-bit Windows with
   several optimisation and instruction-set options, its instructions are compared with
   another disassembler's, and its functions are analysed and listed. */
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

/* A switch dense enough for a jump table. */
__declspec(noinline) int CorpusSwitch(int value) {
  switch (value) {
    case 0: return 11;
    case 1: return value * 7 + 3;
    case 2: return (int)GetTickCount() & 5;
    case 3: return value << 4;
    case 4: return 99;
    case 5: return value ^ 0x55;
    case 6: return (int)strlen("six");
    case 7: return -value;
    default: return 0;
  }
}

/* Calls through the import table and through pointers. */
__declspec(noinline) unsigned CorpusImports(const char* text) {
  unsigned sum = (unsigned)lstrlenA(text);
  sum += GetCurrentProcessId() & 1;
  sum += (unsigned)GetLastError();
  char buffer[64];
  snprintf(buffer, sizeof buffer, "%s-%u", text, sum);
  return sum + (unsigned)strlen(buffer);
}

__declspec(noinline) double CorpusFloat(const double* values, int count) {
  double total = 0;
  for (int i = 0; i < count; ++i) total += sqrt(fabs(values[i])) * 1.5 + sin(values[i]);
  return total;
}

__declspec(noinline) void CorpusVectors(float* out, const float* a, const float* b, int count) {
  for (int i = 0; i < count; ++i) out[i] = a[i] * b[i] + out[i];
}

__declspec(noinline) long long CorpusWide(long long a, long long b) {
  long long r = 0;
  for (int i = 0; i < 64; ++i) r += (a >> (i & 7)) * (b | i) / (i + 1);
  return r;
}

struct TCorpusNode {
  struct TCorpusNode* next;
  int key;
};

__declspec(noinline) int CorpusList(int count) {
  struct TCorpusNode* head = NULL;
  for (int i = 0; i < count; ++i) {
    struct TCorpusNode* node = (struct TCorpusNode*)malloc(sizeof *node);
    if (!node) break;
    node->key = rand() % 100;
    node->next = head;
    head = node;
  }
  int total = 0;
  while (head) {
    struct TCorpusNode* next = head->next;
    total += head->key;
    free(head);
    head = next;
  }
  return total;
}

int main(int argc, char** argv) {
  double values[8];
  float a[32], b[32], out[32];
  for (int i = 0; i < 8; ++i) values[i] = i * 0.25 - argc;
  for (int i = 0; i < 32; ++i) {
    a[i] = (float)i;
    b[i] = (float)(32 - i);
    out[i] = 0;
  }
  CorpusVectors(out, a, b, 32);
  printf("%d %u %f %lld %d %f\n", CorpusSwitch(argc), CorpusImports(argv[0]), CorpusFloat(values, 8),
         CorpusWide(argc, 3), CorpusList(argc * 3), (double)out[5]);
  return 0;
}
