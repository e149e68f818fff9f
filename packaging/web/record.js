// The game's record in the browser: the folder /record is kept in IndexedDB, loaded before the
// game starts, and "save.esf" in the working folder is a link into it, so the game's own save
// steps (a temporary file beside the link's target, then a rename) write there. After each save
// the folder is copied back into IndexedDB, so a reload keeps the record.
if (typeof Module['preRun'] == 'function') Module['preRun'] = [Module['preRun']];
Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function() {
  FS.mkdir('/record');
  FS.mount(IDBFS, {}, '/record');
  FS.symlink('/record/save.esf', '/save.esf');
  addRunDependency('navro-record');
  FS.syncfs(true, function(error) {
    if (error) err('The record could not be read from the browser\'s storage: ' + error);
    removeRunDependency('navro-record');
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

// A copy asked for while one is waiting for its turn is the same copy; one asked for while a copy
// runs is made after it, so the last save always arrives.
Module['navroRecordsKept'] = 0;
var navroRecordCopy = {waiting: false, running: false, again: false};
Module['navroKeepRecord'] = function() {
  if (navroRecordCopy.waiting) return;
  if (navroRecordCopy.running) {
    navroRecordCopy.again = true;
    return;
  }
  navroRecordCopy.waiting = true;
  // The rest of the save's steps run in this turn: copy once they are done.
  setTimeout(function() {
    navroRecordCopy.waiting = false;
    navroRecordCopy.running = true;
    FS.syncfs(false, function(error) {
      navroRecordCopy.running = false;
      if (error) err('The record could not be kept in the browser\'s storage: ' + error);
      else Module['navroRecordsKept']++;
      if (navroRecordCopy.again) {
        navroRecordCopy.again = false;
        Module['navroKeepRecord']();
      }
    });
  }, 0);
};
