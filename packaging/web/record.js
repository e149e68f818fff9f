// The game's record in the browser: "save.esf" in the working folder is a link into the folder
// /record, which holds the record read from the site's IndexedDB before the game starts, so the
// game's own save steps (a temporary file beside the link's target, then a rename) write there.
// After each save the record's bytes are put back into IndexedDB, so a reload keeps it. A browser
// that refuses the storage (private browsing) or whose storage is full still plays: the page
// says once that the record cannot be kept, and the runs count until the page is closed.
// Stored as Emscripten's IDBFS stores a file (the same database, store, key and entry), whose
// own error paths could neither say that nor let the game start when the storage was refused.
var navroRecord = {
  database: '/record',  // IDBFS names the database after the folder
  version: 21,
  store: 'FILE_DATA',
  key: '/record/save.esf',
  db: null,
  said: false,
};

function navroRecordCannotBeKept(error) {
  if (navroRecord.said) return;
  navroRecord.said = true;
  var why = error && (error.name || error.message) ? (error.name || error.message) : String(error);
  var line = 'NAVRO cannot keep its record in this browser (its storage refused it: ' + why +
             '); this visit\'s runs count until the page is closed';
  out(line);
  if (Module['navroNote']) Module['navroNote'](line);
}

// Opens the record's database; `done` gets it, or null when the browser refuses it.
function navroOpenRecordStore(done) {
  var request;
  try {
    request = indexedDB.open(navroRecord.database, navroRecord.version);
  } catch (error) {  // no IndexedDB at all, or one that refuses at once
    navroRecordCannotBeKept(error);
    return done(null);
  }
  request.onupgradeneeded = function() {
    var db = request.result;
    if (!db.objectStoreNames.contains(navroRecord.store))
      db.createObjectStore(navroRecord.store).createIndex('timestamp', 'timestamp', {unique: false});
  };
  request.onsuccess = function() { done(request.result); };
  request.onerror = function(event) {
    event.preventDefault();
    navroRecordCannotBeKept(request.error);
    done(null);
  };
}

if (typeof Module['preRun'] == 'function') Module['preRun'] = [Module['preRun']];
Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function() {
  FS.mkdir('/record');
  FS.symlink('/record/save.esf', '/save.esf');
  addRunDependency('navro-record');
  navroOpenRecordStore(function(db) {
    navroRecord.db = db;
    if (!db) return removeRunDependency('navro-record');
    var request;
    try {
      request = db.transaction(navroRecord.store, 'readonly').objectStore(navroRecord.store)
                    .get(navroRecord.key);
    } catch (error) {
      navroRecordCannotBeKept(error);
      return removeRunDependency('navro-record');
    }
    request.onsuccess = function() {
      var entry = request.result;
      if (entry && entry.contents) FS.writeFile(navroRecord.key, entry.contents);
      removeRunDependency('navro-record');
    };
    request.onerror = function(event) {
      event.preventDefault();
      navroRecordCannotBeKept(request.error);
      removeRunDependency('navro-record');
    };
  });
});

// One tab at a time plays on the record: its storage is the site's, shared by every tab, and a
// second tab would overwrite the first one's runs at every save. The browser's lock on the record
// is asked for before the game starts and held until the game ends (or the tab goes); the game
// refuses to play when another tab holds it. A browser without Web Locks (a page served over
// plain http from another machine) plays without it, as a desktop whose folder cannot be locked.
Module['navroRecordHeldElsewhere'] = false;
Module['navroReleaseRecord'] = function() {};
Module['preRun'].push(function() {
  if (!navigator.locks) return;
  addRunDependency('navro-record-lock');
  navigator.locks.request('navro-record', {ifAvailable: true}, function(lock) {
    Module['navroRecordHeldElsewhere'] = !lock;
    removeRunDependency('navro-record-lock');
    if (!lock) return;
    return new Promise(function(release) { Module['navroReleaseRecord'] = release; });
  });
});

// Puts the record's bytes into the store, then calls `done`.
function navroStoreRecord(done) {
  var stat, transaction;
  try {
    stat = FS.stat(navroRecord.key);
    var entry = {timestamp: stat.mtime, mode: stat.mode, contents: FS.readFile(navroRecord.key)};
    transaction = navroRecord.db.transaction(navroRecord.store, 'readwrite');
    transaction.objectStore(navroRecord.store).put(entry, navroRecord.key);
  } catch (error) {
    if (stat) navroRecordCannotBeKept(error);  // no record written yet: nothing to keep
    return done();
  }
  transaction.oncomplete = function() {
    Module['navroRecordsKept']++;
    done();
  };
  // A full storage ends here, with the transaction's QuotaExceededError.
  transaction.onabort = function() {
    navroRecordCannotBeKept(transaction.error);
    done();
  };
}

// A copy asked for while one is waiting for its turn is the same copy; one asked for while a copy
// runs is made after it, so the last save always arrives.
Module['navroRecordsKept'] = 0;
var navroRecordCopy = {waiting: false, running: false, again: false};
Module['navroKeepRecord'] = function() {
  if (!navroRecord.db || navroRecordCopy.waiting) return;
  if (navroRecordCopy.running) {
    navroRecordCopy.again = true;
    return;
  }
  navroRecordCopy.waiting = true;
  // The rest of the save's steps run in this turn: copy once they are done.
  setTimeout(function() {
    navroRecordCopy.waiting = false;
    navroRecordCopy.running = true;
    navroStoreRecord(function() {
      navroRecordCopy.running = false;
      if (navroRecordCopy.again) {
        navroRecordCopy.again = false;
        Module['navroKeepRecord']();
      }
    });
  }, 0);
};
