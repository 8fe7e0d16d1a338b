// CTMap: a chained hash map with a fixed number of buckets.
//
// Key kinds:
//   CTMap<const char*, V>           string keys, case-sensitive
//   CTMap<const unsigned long*, V>  string keys, letter case ignored (keys are passed as const char*)
//   CTMap<int, V>, CTMap<unsigned, V>  integer keys; the key is its own hash
// A key's hash picks the bucket; two keys are one key only when the keys themselves are
// equal, so keys whose hashes collide stay apart.
#pragma once

#include <windows.h>

#include <new>
#include <utility>

#include "base/alloc.h"
#include "base/keys.h"

typedef void* QVPOSITION;

template <class K>
struct CTMapKey;

template <>
struct CTMapKey<const char*> {
  typedef const char* Arg;
  typedef char* Stored;
  static unsigned long Hash(Arg key) { return QVHashString(key); }
  static bool Equal(Stored stored, Arg key) { return QVKeyEqual(stored, key); }
  static Stored Copy(Arg key, IHeap* heap) {
    const size_t size = strlen(key ? key : "") + 1;
    char* copy = static_cast<char*>(QVAllocBlock(size, heap));
    memcpy(copy, key ? key : "", size);
    return copy;
  }
  static void Free(Stored stored) { QVFreeBlock(stored); }
  static Arg View(Stored stored) { return stored; }
};

template <>
struct CTMapKey<const unsigned long*> : CTMapKey<const char*> {
  static unsigned long Hash(Arg key) { return QVHashStringNoCase(key); }
  static bool Equal(Stored stored, Arg key) { return QVKeyEqualNoCase(stored, key); }
};

template <class I>
struct CTMapIntegerKey {
  typedef I Arg;
  typedef I Stored;
  static unsigned long Hash(Arg key) { return static_cast<unsigned long>(key); }
  static bool Equal(Stored stored, Arg key) { return stored == key; }
  static Stored Copy(Arg key, IHeap*) { return key; }
  static void Free(Stored) {}
  static Arg View(Stored stored) { return stored; }
};
template <>
struct CTMapKey<int> : CTMapIntegerKey<int> {};
template <>
struct CTMapKey<unsigned int> : CTMapIntegerKey<unsigned int> {};
template <>
struct CTMapKey<long> : CTMapIntegerKey<long> {};
template <>
struct CTMapKey<unsigned long> : CTMapIntegerKey<unsigned long> {};

template <class K, class V>
class CTMap {
  typedef CTMapKey<K> Key;

 public:
  typedef typename Key::Arg KeyArg;
  enum { DEFAULT_BUCKETS = 127 };

  // With no heap, every node and key copy comes from the default heap for its size.
  explicit CTMap(unsigned buckets = DEFAULT_BUCKETS, IHeap* heap = nullptr)
      : m_heap(heap), m_bucketCount(buckets ? buckets : 1) {}
  virtual ~CTMap() {
    RemoveAll();
    QVFreeBlock(m_buckets);
  }
  CTMap(const CTMap&) = delete;
  CTMap& operator=(const CTMap&) = delete;

  int GetCount() const { return m_count; }
  bool IsEmpty() const { return m_count == 0; }
  unsigned GetBucketCount() const { return m_bucketCount; }

  BOOL Lookup(KeyArg key, V& value) const {
    Node* node = FindNode(key, Key::Hash(key));
    if (!node) return FALSE;
    value = node->value;
    return TRUE;
  }
  // The stored value, or null; valid until the key is removed.
  V* Find(KeyArg key) const {
    Node* node = FindNode(key, Key::Hash(key));
    return node ? &node->value : nullptr;
  }
  // The stored value, added default-constructed when missing.
  V& operator[](KeyArg key) {
    const unsigned long hash = Key::Hash(key);
    if (Node* node = FindNode(key, hash)) return node->value;
    return AddNode(key, hash, V())->value;
  }
  void SetAt(KeyArg key, const V& value) {
    const unsigned long hash = Key::Hash(key);
    if (Node* node = FindNode(key, hash))
      node->value = value;
    else
      AddNode(key, hash, value);
  }
  BOOL RemoveKey(KeyArg key) {
    if (!m_buckets) return FALSE;
    const unsigned long hash = Key::Hash(key);
    for (Node** link = &m_buckets[hash % m_bucketCount]; *link; link = &(*link)->next) {
      Node* node = *link;
      if (node->hash == hash && Key::Equal(node->key, key)) {
        *link = node->next;
        DestroyNode(node);
        --m_count;
        return TRUE;
      }
    }
    return FALSE;
  }
  void RemoveAll() {
    if (!m_buckets) return;
    for (unsigned i = 0; i < m_bucketCount; ++i) {
      while (Node* node = m_buckets[i]) {
        m_buckets[i] = node->next;
        DestroyNode(node);
      }
    }
    m_count = 0;
  }

  // Iteration in bucket order: pos = GetStartPosition(); while (pos) GetNextAssoc(pos, k, v);
  QVPOSITION GetStartPosition() const { return FirstNodeFrom(0); }
  void GetNextAssoc(QVPOSITION& pos, KeyArg& key, V& value) const {
    Node* node = static_cast<Node*>(pos);
    key = Key::View(node->key);
    value = node->value;
    pos = NextNode(node);
  }
  // As above, giving the stored value in place.
  V* GetNextAssoc(QVPOSITION& pos, KeyArg& key) const {
    Node* node = static_cast<Node*>(pos);
    key = Key::View(node->key);
    pos = NextNode(node);
    return &node->value;
  }

 private:
  struct Node {
    Node* next;
    V value;
    typename Key::Stored key;
    unsigned long hash;
  };

  Node* FindNode(KeyArg key, unsigned long hash) const {
    if (!m_buckets) return nullptr;
    for (Node* node = m_buckets[hash % m_bucketCount]; node; node = node->next)
      if (node->hash == hash && Key::Equal(node->key, key)) return node;
    return nullptr;
  }
  Node* AddNode(KeyArg key, unsigned long hash, const V& value) {
    if (!m_buckets) m_buckets = static_cast<Node**>(QVAllocBlock(m_bucketCount * sizeof(Node*), m_heap));
    void* raw = QVAllocBlock(sizeof(Node), m_heap);
    Node* node;
    try {
      node = new (raw) Node{nullptr, value, Key::Copy(key, m_heap), hash};
    } catch (...) {
      QVFreeBlock(raw);
      throw;
    }
    Node*& head = m_buckets[hash % m_bucketCount];
    node->next = head;
    head = node;
    ++m_count;
    return node;
  }
  void DestroyNode(Node* node) {
    Key::Free(node->key);
    node->~Node();
    QVFreeBlock(node);
  }
  Node* FirstNodeFrom(unsigned bucket) const {
    if (!m_buckets) return nullptr;
    for (; bucket < m_bucketCount; ++bucket)
      if (m_buckets[bucket]) return m_buckets[bucket];
    return nullptr;
  }
  Node* NextNode(Node* node) const {
    return node->next ? node->next : FirstNodeFrom(node->hash % m_bucketCount + 1);
  }

  Node** m_buckets = nullptr;
  int m_count = 0;
  IHeap* m_heap;
  unsigned m_bucketCount;
};
